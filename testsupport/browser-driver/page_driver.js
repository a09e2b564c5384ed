// Drives one page in Debian's headless Chromium, as a person would: opens a
// URL, types into fields, presses buttons, and prints the document as the
// browser holds it at the end.
//
//   node page_driver.js STEPS_JSON
//
// STEPS_JSON is a list of steps, run in order:
//   {"goto": URL}                     open the URL and wait for its load
//   {"fill": SELECTOR, "value": TEXT}  type TEXT into the field (replacing its text)
//   {"press": SELECTOR}               click the button and wait for the page it loads
//   {"probe": EXPRESSION}             evaluate EXPRESSION in the page and append its
//                                     value to the body as <pre class="probe">VALUE</pre>
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

// The machine's network is closed: background features would only try to
// reach outside hosts. As root Chromium needs --no-sandbox.
const kFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

async function runStep(page, step) {
  if ('goto' in step) {
    await page.goto(step.goto, { waitUntil: 'load' });
  } else if ('fill' in step) {
    await page.fill(step.fill, step.value);
  } else if ('press' in step) {
    await Promise.all([page.waitForNavigation({ waitUntil: 'load' }), page.click(step.press)]);
  } else if ('probe' in step) {
    const value = await page.evaluate(step.probe);
    await page.evaluate((text) => {
      const pre = document.createElement('pre');
      pre.className = 'probe';
      pre.textContent = text;
      document.body.appendChild(pre);
    }, String(value));
  } else {
    throw new Error('unknown step: ' + JSON.stringify(step));
  }
}

async function main() {
  const steps = JSON.parse(process.argv[2]);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'page-driver-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: kFlags,
  });
  try {
    const page = context.pages()[0] || await context.newPage();
    page.setDefaultTimeout(30000);
    for (const step of steps) await runStep(page, step);
    process.stdout.write(await page.content());
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error && error.stack ? error.stack : String(error));
  process.exit(1);
});
