/* The contract between the program and the JPEG writer plug-in (SaveJPG). Plain C, so
 * that any writer honouring it can take the plug-in's place. */
#ifndef VELLUMARK_JPEG_CONTRACT_H
#define VELLUMARK_JPEG_CONTRACT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A captured picture: rows from the top row down, each `width` pixels of red, green, blue,
 * successive rows `rowBytes` apart. */
typedef struct VmImageRecord {
    int32_t width;
    int32_t height;
    int32_t rowBytes;
    const uint8_t* pixels;
} VmImageRecord;

#define VM_JPEG_FUNCTION_NAME "DCSavetoJPEG"

/* How the plug-in makes its writer visible to the program. */
#ifdef _WIN32
#define VM_JPEG_EXPORT __declspec(dllexport)
#else
#define VM_JPEG_EXPORT __attribute__((visibility("default")))
#endif

/* image, its width and height, the path of the file to create (file-system encoding), quality
 * 1 to 100 (higher: less compression), progressive 0 (baseline) or 0xFFFF. */
typedef uint16_t (*VmSaveJpegFunction)(const VmImageRecord* image, int32_t width, int32_t height,
                                       const char* path, uint8_t quality, uint16_t progressive);

/* Results. 5 is the program's own: no library or no function. */
enum {
    VM_JPEG_OK = 0,
    VM_JPEG_BAD_ARGUMENTS = 1,
    VM_JPEG_CANNOT_CREATE = 2,
    VM_JPEG_WRITE_FAILED = 3,
    VM_JPEG_WRITER_MISSING = 5
};

#ifdef __cplusplus
}
#endif

#endif
