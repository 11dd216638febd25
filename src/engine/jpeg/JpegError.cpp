#include "engine/jpeg/JpegError.h"

#include <cstring>
#include <jerror.h>

namespace fotoplex {

namespace {

[[noreturn]] void jumpOut(j_common_ptr codec) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(codec->err);
    std::longjmp(manager->jump, 1);
}

// Nothing is printed: the caller decides what a warning means.
void noteMessage(j_common_ptr codec, int level) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(codec->err);
    if (level < 0) {
        ++manager->warnings;
        if (manager->pub.msg_code == JWRN_JPEG_EOF) {
            manager->dataEnded = true;
        }
    }
}

void printNothing(j_common_ptr) {}

} // namespace

jpeg_error_mgr* attachJpegErrors(JpegErrorManager& manager) {
    std::memset(&manager, 0, sizeof manager);
    jpeg_std_error(&manager.pub);
    manager.pub.error_exit = jumpOut;
    manager.pub.emit_message = noteMessage;
    manager.pub.output_message = printNothing;
    return &manager.pub;
}

} // namespace fotoplex
