#pragma once
// Pages driven in headless Chromium as a person would use them: typing into
// fields and pressing buttons (playwright-core, installed by
// scripts/install-deps into testsupport/browser-driver).

#include <string>
#include <vector>

namespace testsupport {

struct PageStep {
    enum Kind { Goto, Fill, Press, Probe } kind;
    std::string target;  // URL, CSS selector or JavaScript expression
    std::string value;   // the text typed by a Fill step
};

PageStep open_page(const std::string& url);
PageStep type_into(const std::string& selector, const std::string& text);
// Clicks and waits for the page that the click loads.
PageStep press(const std::string& selector);
// Appends the expression's value to the page as <pre class="probe">VALUE</pre>.
PageStep probe(const std::string& expression);

// Runs the steps in a fresh browser profile and returns the document as the
// browser serialises it after the last step. Throws when a step fails.
std::string drive_page(const std::vector<PageStep>& steps);

}  // namespace testsupport
