#pragma once

// Shows the busy mouse pointer for its lifetime (nothing without a graphical application).
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool m_shown = false;
};
