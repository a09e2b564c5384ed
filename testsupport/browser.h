#pragma once
// Headless Chromium, for checking a page as a browser parses it.

#include <string>

namespace testsupport {

// Loads the URL in a fresh profile and returns the document as Chromium
// serialises it after the load (scripts of the page have run).
std::string chromium_dump_dom(const std::string& url);

}  // namespace testsupport
