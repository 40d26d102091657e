/* The JPEG writer behind the program's JPEG captures (see src/output/jpeg_contract.h). */
#include <setjmp.h>
#include <stddef.h>
#include <stdio.h>
/* jpeglib.h needs size_t and FILE declared first. */
#include <jpeglib.h>

#include "formats/jpeg_contract.h"

struct ErrorManager {
    struct jpeg_error_mgr base;
    jmp_buf escape;
};

static void OnFatalError(j_common_ptr info) {
    struct ErrorManager* errors = (struct ErrorManager*)info->err;
    longjmp(errors->escape, 1);
}

/* libjpeg prints warnings by default; a plug-in keeps quiet. */
static void OnMessage(j_common_ptr info) {
    (void)info;
}

static int ValidArguments(const VmImageRecord* image, int32_t width, int32_t height,
                          const char* path) {
    return image != NULL && image->pixels != NULL && path != NULL && width > 0 && height > 0 &&
           width == image->width && height == image->height && image->rowBytes >= width * 3 &&
           width <= JPEG_MAX_DIMENSION && height <= JPEG_MAX_DIMENSION;
}

VM_JPEG_EXPORT uint16_t DCSavetoJPEG(const VmImageRecord* image,
                                                             int32_t width, int32_t height,
                                                             const char* path, uint8_t quality,
                                                             uint16_t progressive) {
    if (!ValidArguments(image, width, height, path)) {
        return VM_JPEG_BAD_ARGUMENTS;
    }
    FILE* file = fopen(path, "wb");
    if (file == NULL) {
        return VM_JPEG_CANNOT_CREATE;
    }
    struct jpeg_compress_struct info;
    struct ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnFatalError;
    errors.base.output_message = OnMessage;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        fclose(file);
        remove(path);
        return VM_JPEG_WRITE_FAILED;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = (JDIMENSION)width;
    info.image_height = (JDIMENSION)height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality < 1 ? 1 : (quality > 100 ? 100 : quality), TRUE);
    if (progressive != 0) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = (JSAMPROW)(image->pixels + (size_t)info.next_scanline * image->rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (ferror(file) | fclose(file)) {
        remove(path);
        return VM_JPEG_WRITE_FAILED;
    }
    return VM_JPEG_OK;
}
