#pragma once

// SDL's audio subsystem, started once for the process on first use. Only
// audio: the saver's window and input belong to Qt, and SDL's own signal
// handlers stay off so that the saver's termination handling keeps working.
// False when no audio driver could be started; a later call tries again.
bool StartSdlAudio();
