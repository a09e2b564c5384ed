#pragma once
// The hourglass that the old programs showed while a long task ran (mouse
// pointer 11) and took away after it (mouse pointer 0). Setting it is
// absolute, not counted: two sets and one clear leave the normal pointer.

namespace forms {

class WaitCursor {
public:
    virtual ~WaitCursor() = default;

    // true: the hourglass; false: the normal pointer.
    virtual void set(bool waiting) = 0;
    virtual bool isSet() const = 0;
};

// The hourglass over every window of the program, as one application-wide
// override cursor that is never stacked.
class QtWaitCursor : public WaitCursor {
public:
    ~QtWaitCursor() override;
    void set(bool waiting) override;
    bool isSet() const override { return waiting_; }

private:
    bool waiting_ = false;
};

}  // namespace forms
