#pragma once

// What the capture overlay hands to the colour capture control: the overlay sets it
// and the control's timer picks it up, so neither calls the other.
struct CaptureState {
    int capturedColor = -1; // the colour value under the mouse; -1 after a cancelled capture
    bool running = false;   // set when a capture starts
    bool ended = false;     // set when the overlay has closed
};

CaptureState& captureState();
