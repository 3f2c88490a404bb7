#pragma once

#include <QString>

class DrawingSurface;

// Prints one line of text turned by a multiple of 90 degrees, in the surface's current
// font, colour and position: the text runs from the top-left corner of its first
// character's cell in the direction of the angle (counter-clockwise), its cell on the side
// that is "down" for the turned text. The font is sized by cell height, not em height.
class Rotator {
public:
    void Angle(int degrees) { m_angle = degrees; }
    int Angle() const { return m_angle; }
    // Measures the surface at its current scale, which must not change before PrintText.
    void Device(DrawingSurface& surface);
    // Does not move the surface's current position.
    void PrintText(const QString& text);

private:
    DrawingSurface* m_device = nullptr;
    double m_xRatio = 1;
    double m_yRatio = 1;
    int m_angle = 0;
};
