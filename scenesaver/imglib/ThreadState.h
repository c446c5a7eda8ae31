#pragma once

// Every thread that calls the picture library has its own state: the last
// error code and the JPEG decoding scale. Codes never cross threads.
struct ImgThreadState {
    int lastError = 0;
    int jpegScaleNum = 1;
    int jpegScaleDenom = 1;
};

// The calling thread's state, made on its first call.
ImgThreadState& ImgState();

// Records code as the calling thread's last error.
inline void ImgSetError(int code) {
    ImgState().lastError = code;
}

// The calling thread's last error code.
int img_last_error();
