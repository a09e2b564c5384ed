#pragma once
// The help of the desktop programs: an HTML document kept beside the program,
// shown in a help window of its own (the old .hlp files cannot be shown here).

#include <QString>

#include <memory>

class QTextBrowser;

namespace sys {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    // Shows the HTML document `htmlFile` in the help window, opening the
    // window or bringing it forward. Returns false, and shows nothing, when
    // the document cannot be read.
    virtual bool showHelp(const QString& htmlFile) = 0;
};

// The help window: one browser window, named "HelpViewer", titled with the
// document's title, that follows the document's own links. It is nobody's
// form: it stays apart from the programs' window bookkeeping.
class HelpWindow : public HelpViewer {
public:
    HelpWindow();
    ~HelpWindow() override;

    bool showHelp(const QString& htmlFile) override;

    // The window, once a document was shown; null before.
    QTextBrowser* window() const { return window_.get(); }

private:
    std::unique_ptr<QTextBrowser> window_;
};

}  // namespace sys
