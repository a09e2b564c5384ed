#include "page_driver.h"

#include <cstdio>
#include <stdexcept>

#include "process.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

std::string json_string(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string json_step(const PageStep& step) {
    switch (step.kind) {
        case PageStep::Goto:
            return "{\"goto\":" + json_string(step.target) + "}";
        case PageStep::Fill:
            return "{\"fill\":" + json_string(step.target) +
                   ",\"value\":" + json_string(step.value) + "}";
        case PageStep::Press:
            return "{\"press\":" + json_string(step.target) + "}";
        case PageStep::Probe:
            return "{\"probe\":" + json_string(step.target) + "}";
    }
    return "{}";
}

}  // namespace

PageStep open_page(const std::string& url) {
    return {PageStep::Goto, url, ""};
}
PageStep type_into(const std::string& selector, const std::string& text) {
    return {PageStep::Fill, selector, text};
}
PageStep press(const std::string& selector) {
    return {PageStep::Press, selector, ""};
}
PageStep probe(const std::string& expression) {
    return {PageStep::Probe, expression, ""};
}

std::string drive_page(const std::vector<PageStep>& steps) {
    std::string json = "[";
    for (const auto& step : steps)
        json += (json.size() > 1 ? "," : "") + json_step(step);
    json += "]";
    TempDir home;
    ProcessSpec command{"node",
                        {std::string(BROWSER_DRIVER_DIR) + "/page_driver.js", json},
                        {{"HOME", home.path().string()},
                         {"PATH", "/usr/bin:/bin"},
                         {"LC_ALL", "C.UTF-8"},
                         {"TMPDIR", home.path().string()}},
                        "",
                        ""};
    auto result = run_process(command);
    if (result.status != 0)
        throw std::runtime_error("page driver failed: " + result.err);
    return result.out;
}

}  // namespace testsupport
