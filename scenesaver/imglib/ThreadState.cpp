#include "imglib/ThreadState.h"

ImgThreadState& ImgState() {
    // A thread_local lives exactly as long as its thread, so a state can
    // neither leak nor be reached from another thread.
    thread_local ImgThreadState state;
    return state;
}

int img_last_error() {
    return ImgState().lastError;
}
