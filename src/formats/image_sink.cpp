#include "formats/image_sink.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "formats/bmp_writer.h"
#include "formats/file_descriptors.h"
#include "formats/jpeg_export.h"
#include "formats/path_names.h"
#include "formats/png_writer.h"
#include "formats/replace_file.h"

namespace {

// Bottom-up rows sit at known offsets, so each band is written where it belongs as it comes.
class BmpFileWriter : public ImageRowSink {
  public:
    BmpFileWriter(const std::string& path, const ImageFormat& format)
        : path_(path), format_(format), row_(BmpRowBytes(format.width)) {}
    bool Start() {
        temporary_ = std::make_unique<TemporaryFile>(path_);
        const auto header = BmpHeader24(format_.width, format_.height);
        return temporary_->IsOpen() && PutAt(header.data(), header.size(), 0);
    }

    bool WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) override {
        if (failed_ || count < 0 || next_ + count > format_.height) {
            failed_ = true;
            return false;
        }
        for (int32_t i = 0; i < count; ++i, ++next_) {
            PackBmpRow(rows + static_cast<std::size_t>(i) * stride, format_.width, row_.data());
            const std::size_t fileRow = static_cast<std::size_t>(format_.height - 1 - next_);
            if (!PutAt(row_.data(), row_.size(), kBmpFileHeaderSize + fileRow * row_.size())) {
                failed_ = true;
                return false;
            }
        }
        return true;
    }

    ImageWriteStatus Finish() override {
        const bool committed =
            !failed_ && temporary_ && next_ == format_.height && temporary_->Commit();
        temporary_.reset();
        return committed ? ImageWriteStatus::kOk : ImageWriteStatus::kCannotWrite;
    }

  private:
    bool PutAt(const uint8_t* data, std::size_t size, std::size_t offset) {
        return WriteAllAt(temporary_->fd(), data, size, offset);
    }

    std::string path_;
    ImageFormat format_;
    std::vector<uint8_t> row_;
    std::unique_ptr<TemporaryFile> temporary_;
    int32_t next_ = 0;
    bool failed_ = false;
};

// The plug-in takes a whole picture, so the rows are gathered first.
class JpegFileWriter : public ImageRowSink {
  public:
    JpegFileWriter(const std::string& path, const ImageFormat& format, const JpegOptions& options)
        : path_(path), format_(format), options_(options) {
        pixels_.reserve(static_cast<std::size_t>(format.width) * format.height * 3);
    }

    bool WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) override {
        const std::size_t rowBytes = static_cast<std::size_t>(format_.width) * 3;
        if (count < 0 || pixels_.size() + count * rowBytes > pixels_.capacity()) {
            return false;
        }
        for (int32_t i = 0; i < count; ++i) {
            const uint8_t* row = rows + static_cast<std::size_t>(i) * stride;
            pixels_.insert(pixels_.end(), row, row + rowBytes);
        }
        return true;
    }

    ImageWriteStatus Finish() override {
        if (pixels_.size() != pixels_.capacity()) {
            return ImageWriteStatus::kCannotWrite;
        }
        TemporaryFile temporary(path_);
        if (!temporary.IsOpen()) {
            return ImageWriteStatus::kCannotWrite;
        }
        const VmImageRecord record{format_.width, format_.height, format_.width * 3,
                                   pixels_.data()};
        uint16_t result = VM_JPEG_WRITE_FAILED;
        try {
            result = SaveDCToJpeg(options_.library, &record, format_.width, format_.height,
                                  temporary.path().c_str(),
                                  static_cast<uint8_t>(std::clamp(options_.quality, 1, 100)),
                                  options_.progressive ? 0xFFFF : 0);
        } catch (...) {
            // A plug-in written in C++ may let an exception out of its C function.
        }
        if (result != VM_JPEG_OK) {
            return result == VM_JPEG_WRITER_MISSING ? ImageWriteStatus::kWriterMissing
                                                    : ImageWriteStatus::kCannotWrite;
        }
        return temporary.Commit() ? ImageWriteStatus::kOk : ImageWriteStatus::kCannotWrite;
    }

  private:
    std::string path_;
    ImageFormat format_;
    JpegOptions options_;
    std::vector<uint8_t> pixels_;
};

}  // namespace

bool ImageFileTypeFromPath(const std::string& path, ImageFileType& type) {
    const std::string extension = LowercaseExtension(path);
    if (extension == "png") {
        type = ImageFileType::kPng;
    } else if (extension == "jpg" || extension == "jpeg") {
        type = ImageFileType::kJpeg;
    } else if (extension == "bmp") {
        type = ImageFileType::kBmp;
    } else {
        return false;
    }
    return true;
}

std::unique_ptr<ImageRowSink> OpenImageFile(const std::string& path, ImageFileType type,
                                            const ImageFormat& format, const JpegOptions& jpeg,
                                            ImageWriteStatus& status) {
    status = ImageWriteStatus::kCannotWrite;
    if (format.width <= 0 || format.height <= 0) {
        return nullptr;
    }
    if (type != ImageFileType::kPng && format.channels != 3) {
        status = ImageWriteStatus::kUnsupported;
        return nullptr;
    }
    std::unique_ptr<ImageRowSink> sink;
    if (type == ImageFileType::kPng) {
        sink = PngFileWriter::Open(path, format);
    } else if (type == ImageFileType::kBmp) {
        auto bmp = std::make_unique<BmpFileWriter>(path, format);
        if (bmp->Start()) {
            sink = std::move(bmp);
        }
    } else {
        sink = std::make_unique<JpegFileWriter>(path, format, jpeg);
    }
    if (sink) {
        status = ImageWriteStatus::kOk;
    }
    return sink;
}
