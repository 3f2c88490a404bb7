#include "capture/capture_state.h"

CaptureState& captureState()
{
    static CaptureState state;
    return state;
}
