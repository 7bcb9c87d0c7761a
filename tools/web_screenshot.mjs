// The README's picture of the browser edition: the built site's title screen in headless
// Chromium on a desktop viewport of 1280x800, through the browser test's harness (run `npm ci`
// in tests/web first). Run it by hand when the page changes.
//
// usage: node tools/web_screenshot.mjs [SITE_DIR [PNG]]   (defaults: build-web/site, doc/screens/browser.png)
import { openGame, sleep } from '../tests/web/browser.mjs';

const site = process.argv[2] ?? 'build-web/site';
const picture = process.argv[3] ?? 'doc/screens/browser.png';
const game = await openGame(site);
try {
  await game.page.setViewport({ width: 1280, height: 800 });
  await game.page.goto(game.url);
  await game.whenText(7, 33, 'ZORVANE');
  await sleep(1000);  // the status line cleared, the fonts settled
  await game.page.screenshot({ path: picture });
  console.log(picture);
} finally {
  await game.close();
}
