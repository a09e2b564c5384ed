#include "browser.h"

#include <stdexcept>

#include "process.h"
#include "temp_dir.h"

namespace testsupport {

std::string chromium_dump_dom(const std::string& url) {
    TempDir profile;
    // The machine's network is closed: background features would only try
    // to reach outside hosts. As root Chromium needs --no-sandbox.
    ProcessSpec command{
        "chromium",
        {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-extensions", "--user-data-dir=" + profile.path().string(), "--dump-dom", url},
        {{"HOME", profile.path().string()}, {"PATH", "/usr/bin:/bin"}, {"LC_ALL", "C.UTF-8"}},
        "",
        ""};
    auto result = run_process(command);
    if (result.status != 0)
        throw std::runtime_error("chromium failed: " + result.err);
    return result.out;
}

}  // namespace testsupport
