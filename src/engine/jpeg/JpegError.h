#pragma once

// libjpeg's headers need these first.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

namespace fotoplex {

// libjpeg reports a fatal error through a callback that must not return. Ours jumps back to
// the setjmp point of the small function that made the failing call; warnings are counted.
// The structure is plain data so that it can live across a longjmp.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int warnings;
    bool dataEnded; // the data ran out before the image was complete
};

// Connects the manager to a codec object's `err` field and returns it.
jpeg_error_mgr* attachJpegErrors(JpegErrorManager& manager);

} // namespace fotoplex
