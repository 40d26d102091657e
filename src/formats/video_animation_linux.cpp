#include "formats/video_animation.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

#include <cstdio>
#include <cstring>
#include <memory>

#include "formats/replace_file.h"

namespace {

// What each type is made of, and the filters between our RGB frames and its encoder.
struct VideoRecipe {
    const char* muxer;
    const char* encoder;
    AVPixelFormat opaque;
    AVPixelFormat transparent;
    const char* filters;
};

VideoRecipe RecipeOf(AnimationFileType type, bool transparent) {
    switch (type) {
        case AnimationFileType::kPng:
            return {"apng", "apng", AV_PIX_FMT_RGB24, AV_PIX_FMT_RGBA, "null"};
        case AnimationFileType::kGif:
            // A palette of its own for each frame, so nothing waits for the whole animation;
            // one entry is kept for transparency when there is some.
            return {"gif", "gif", AV_PIX_FMT_PAL8, AV_PIX_FMT_PAL8,
                    transparent ? "split[a][b];[a]palettegen=stats_mode=single[p];"
                                  "[b][p]paletteuse=new=1"
                                : "split[a][b];[a]palettegen=stats_mode=single:"
                                  "reserve_transparent=0[p];[b][p]paletteuse=new=1"};
        case AnimationFileType::kMp4:
            // 4:2:0 H.264 wants even sides: an odd last column or row goes.
            return {"mp4", "libx264", AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUV420P,
                    "crop=floor(iw/2)*2:floor(ih/2)*2"};
        case AnimationFileType::kWebm:
        case AnimationFileType::kWebp:
            break;
    }
    return {"webm", "libvpx-vp9", AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVA420P, "null"};
}

// Quality and speed: near-transparent quality, at a speed that keeps encoding well below the
// time the frames take to draw.
void EncoderOptions(AnimationFileType type, AVDictionary** options) {
    if (type == AnimationFileType::kMp4) {
        av_dict_set(options, "preset", "veryfast", 0);
        av_dict_set(options, "crf", "18", 0);
    } else if (type == AnimationFileType::kWebm) {
        av_dict_set(options, "deadline", "realtime", 0);
        av_dict_set(options, "cpu-used", "8", 0);
        av_dict_set(options, "row-mt", "1", 0);
        av_dict_set(options, "crf", "24", 0);
        av_dict_set(options, "b", "0", 0);
    }
}

// Animated pictures loop for ever; MP4 files start playing before they are whole.
void MuxerOptions(AnimationFileType type, AVDictionary** options) {
    if (type == AnimationFileType::kPng) {
        av_dict_set(options, "plays", "0", 0);
    } else if (type == AnimationFileType::kGif) {
        av_dict_set(options, "loop", "0", 0);
    } else if (type == AnimationFileType::kMp4) {
        av_dict_set(options, "movflags", "+faststart", 0);
    }
}

class VideoAnimation : public AnimationSink {
  public:
    VideoAnimation(const std::string& path, AnimationFileType type, const AnimationFormat& format)
        : path_(path), type_(type), format_(format) {}

    ~VideoAnimation() override {
        avfilter_graph_free(&graph_);
        avcodec_free_context(&codec_);
        av_frame_free(&input_);
        av_frame_free(&filtered_);
        av_packet_free(&packet_);
        if (muxer_ != nullptr) {
            avio_closep(&muxer_->pb);
            avformat_free_context(muxer_);
        }
    }
    VideoAnimation(const VideoAnimation&) = delete;
    VideoAnimation& operator=(const VideoAnimation&) = delete;

    bool Open() {
        const VideoRecipe recipe = RecipeOf(type_, format_.channels == 4);
        temporary_ = std::make_unique<TemporaryFile>(path_);
        input_ = av_frame_alloc();
        filtered_ = av_frame_alloc();
        packet_ = av_packet_alloc();
        if (!temporary_->IsOpen() || input_ == nullptr || filtered_ == nullptr ||
            packet_ == nullptr) {
            return false;
        }
        const AVPixelFormat encoded = format_.channels == 4 ? recipe.transparent : recipe.opaque;
        // "file:" keeps a colon in the path from naming a protocol.
        const std::string url = "file:" + temporary_->path();
        return OpenFilters(recipe.filters, encoded) &&
               avformat_alloc_output_context2(&muxer_, nullptr, recipe.muxer, url.c_str()) >= 0 &&
               OpenEncoder(recipe.encoder, encoded) && StartFile(url);
    }

    bool AddFrame(const uint8_t* pixels) override {
        input_->width = format_.width;
        input_->height = format_.height;
        input_->format = InputFormat();
        if (av_frame_get_buffer(input_, 0) < 0) {
            return false;
        }
        const std::size_t row = static_cast<std::size_t>(format_.width) * format_.channels;
        for (int32_t y = 0; y < format_.height; ++y) {
            std::memcpy(input_->data[0] + static_cast<std::ptrdiff_t>(y) * input_->linesize[0],
                        pixels + y * row, row);
        }
        input_->pts = frames_++;
        // The source takes the frame's buffers and leaves it empty for the next.
        return av_buffersrc_add_frame(source_, input_) >= 0 && DrainFilters();
    }

    bool Finish() override {
        if (av_buffersrc_add_frame(source_, nullptr) < 0 || !DrainFilters() ||
            avcodec_send_frame(codec_, nullptr) < 0 || !DrainEncoder() ||
            av_write_trailer(muxer_) < 0 || avio_closep(&muxer_->pb) < 0) {
            return false;
        }
        return temporary_->Commit();
    }

  private:
    AVPixelFormat InputFormat() const {
        return format_.channels == 4 ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24;
    }

    bool OpenFilters(const char* description, AVPixelFormat encoded) {
        graph_ = avfilter_graph_alloc();
        if (graph_ == nullptr) {
            return false;
        }
        char arguments[160];
        std::snprintf(arguments, sizeof arguments,
                      "video_size=%dx%d:pix_fmt=%d:time_base=1/%d:pixel_aspect=1/1",
                      static_cast<int>(format_.width), static_cast<int>(format_.height),
                      static_cast<int>(InputFormat()), format_.fps);
        if (avfilter_graph_create_filter(&source_, avfilter_get_by_name("buffer"), "in", arguments,
                                         nullptr, graph_) < 0) {
            return false;
        }
        sink_ = avfilter_graph_alloc_filter(graph_, avfilter_get_by_name("buffersink"), "out");
        if (sink_ == nullptr ||
            av_opt_set_bin(sink_, "pix_fmts", reinterpret_cast<const uint8_t*>(&encoded),
                           sizeof encoded, AV_OPT_SEARCH_CHILDREN) < 0 ||
            avfilter_init_str(sink_, nullptr) < 0) {
            return false;
        }
        AVFilterInOut* outputs = avfilter_inout_alloc();
        AVFilterInOut* inputs = avfilter_inout_alloc();
        bool parsed = false;
        if (outputs != nullptr && inputs != nullptr) {
            outputs->name = av_strdup("in");
            outputs->filter_ctx = source_;
            inputs->name = av_strdup("out");
            inputs->filter_ctx = sink_;
            parsed = avfilter_graph_parse_ptr(graph_, description, &inputs, &outputs, nullptr) >= 0;
        }
        avfilter_inout_free(&inputs);
        avfilter_inout_free(&outputs);
        return parsed && avfilter_graph_config(graph_, nullptr) >= 0;
    }

    bool OpenEncoder(const char* name, AVPixelFormat encoded) {
        const AVCodec* encoder = avcodec_find_encoder_by_name(name);
        codec_ = encoder != nullptr ? avcodec_alloc_context3(encoder) : nullptr;
        if (codec_ == nullptr) {
            return false;
        }
        codec_->width = av_buffersink_get_w(sink_);
        codec_->height = av_buffersink_get_h(sink_);
        codec_->pix_fmt = encoded;
        codec_->time_base = AVRational{1, format_.fps};
        codec_->framerate = AVRational{format_.fps, 1};
        codec_->sample_aspect_ratio = AVRational{1, 1};
        if (encoded == AV_PIX_FMT_YUV420P || encoded == AV_PIX_FMT_YUVA420P) {
            // What the filters' conversion used.
            codec_->color_range = AVCOL_RANGE_MPEG;
            codec_->colorspace = AVCOL_SPC_SMPTE170M;
        }
        if ((muxer_->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
            codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        AVDictionary* options = nullptr;
        EncoderOptions(type_, &options);
        const int opened = avcodec_open2(codec_, encoder, &options);
        av_dict_free(&options);
        return opened >= 0;
    }

    bool StartFile(const std::string& url) {
        stream_ = avformat_new_stream(muxer_, nullptr);
        if (stream_ == nullptr || avcodec_parameters_from_context(stream_->codecpar, codec_) < 0) {
            return false;
        }
        stream_->time_base = codec_->time_base;
        if (codec_->pix_fmt == AV_PIX_FMT_YUVA420P) {
            // Tells readers that the VP9 frames carry an alpha plane beside them.
            av_dict_set(&stream_->metadata, "alpha_mode", "1", 0);
        }
        AVDictionary* options = nullptr;
        MuxerOptions(type_, &options);
        const bool written = avio_open(&muxer_->pb, url.c_str(), AVIO_FLAG_WRITE) >= 0 &&
                             avformat_write_header(muxer_, &options) >= 0;
        av_dict_free(&options);
        return written;
    }

    // Everything the filters have ready goes to the encoder.
    bool DrainFilters() {
        for (;;) {
            const int got = av_buffersink_get_frame(sink_, filtered_);
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) {
                return true;
            }
            if (got < 0) {
                return false;
            }
            filtered_->pts =
                av_rescale_q(filtered_->pts, av_buffersink_get_time_base(sink_), codec_->time_base);
            filtered_->pict_type = AV_PICTURE_TYPE_NONE;
            const int sent = avcodec_send_frame(codec_, filtered_);
            av_frame_unref(filtered_);
            if (sent < 0 || !DrainEncoder()) {
                return false;
            }
        }
    }

    bool DrainEncoder() {
        for (;;) {
            const int got = avcodec_receive_packet(codec_, packet_);
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) {
                return true;
            }
            if (got < 0) {
                return false;
            }
            if (packet_->duration == 0) {
                packet_->duration = 1;  // one frame: the last one's length in the file
            }
            av_packet_rescale_ts(packet_, codec_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            if (av_interleaved_write_frame(muxer_, packet_) < 0) {
                return false;
            }
        }
    }

    std::string path_;
    AnimationFileType type_;
    AnimationFormat format_;
    // Goes with the encoder when nothing was committed.
    std::unique_ptr<TemporaryFile> temporary_;
    AVFilterGraph* graph_ = nullptr;
    AVFilterContext* source_ = nullptr;
    AVFilterContext* sink_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFormatContext* muxer_ = nullptr;
    AVStream* stream_ = nullptr;
    AVFrame* input_ = nullptr;
    AVFrame* filtered_ = nullptr;
    AVPacket* packet_ = nullptr;
    int64_t frames_ = 0;
};

}  // namespace

bool VideoAnimationsAvailable() {
    return true;
}

std::unique_ptr<AnimationSink> OpenVideoAnimation(const std::string& path, AnimationFileType type,
                                                  const AnimationFormat& format) {
    // The encoders' own reports (settings, statistics) are not for our users.
    av_log_set_level(AV_LOG_ERROR);
    auto animation = std::make_unique<VideoAnimation>(path, type, format);
    if (!animation->Open()) {
        return nullptr;
    }
    return animation;
}
