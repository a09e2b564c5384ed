#pragma once
// The old runtime's Beep: the bell that answers an entry the program refuses.

namespace forms {

class Beep {
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

// The desktop's bell.
class QtBeep : public Beep {
public:
    void beep() override;
};

}  // namespace forms
