#pragma once

// The picture library's whole flat interface.
#include "imglib/BmpRead.h"
#include "imglib/BmpWrite.h"
#include "imglib/Detect.h"
#include "imglib/DeviceBitmap.h"
#include "imglib/ImgTypes.h"
#include "imglib/JpegRead.h"
#include "imglib/JpegWrite.h"
#include "imglib/Stream.h"
#include "imglib/ThreadState.h"
