#pragma once
// Waiting while a window is shown modally: the code after a modal Show goes
// on only when that window is hidden or unloaded.

namespace forms {

class Form;

class ModalLoop {
public:
    virtual ~ModalLoop() = default;

    // Returns once `form` is hidden or unloaded (at once when it is not
    // visible). The other windows of the program take no input meanwhile.
    virtual void run(Form& form) = 0;
};

// A nested Qt event loop over the application-modal window.
class QtModalLoop : public ModalLoop {
public:
    void run(Form& form) override;
};

}  // namespace forms
