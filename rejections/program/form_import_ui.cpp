#include "form_import_ui.h"

#include <QString>

#include "long_job.h"
#include "program.h"

namespace rejections {

namespace {
QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void FormImportMessages::show(std::string_view text, std::optional<std::string_view> title) {
    form_.msgBox(qt(text), forms::msg::OkOnly, title ? qt(*title) : form_.program().title());
}

void FormWaitPointer::setWindowPointer(MousePointer pointer) {
    if (pointer == MousePointer::Hourglass)
        form_.setCursor(Qt::WaitCursor);
    else
        form_.unsetCursor();
    forms::refresh(&form_);
}

void FormWaitPointer::setScreenPointer(MousePointer pointer) {
    form_.setHourglass(pointer == MousePointer::Hourglass);
}

}  // namespace rejections
