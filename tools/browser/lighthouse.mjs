// Lighthouse with its mobile settings on the first index page, a later index page and a
// picture page of a modern gallery. Prints the four scores of each and fails below the
// targets: performance 95, accessibility, best practices and SEO 100.
// Usage: node lighthouse.mjs GALLERY_DIR   (CHROME_PATH names the browser)
import lighthouse from 'lighthouse';
import * as chromeLauncher from 'chrome-launcher';
import path from 'node:path';
import {serve} from './serve.mjs';

const gallery = path.resolve(process.argv[2]);
const targets = {performance: 95, accessibility: 100, 'best-practices': 100, seo: 100};
const server = await serve(gallery);
const chrome = await chromeLauncher.launch({
  chromePath: process.env.CHROME_PATH,
  chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu'],
});
let ok = true;
for (const page of ['index.html', 'page2.html', 'photo_02-coffee_png.html']) {
  const result = await lighthouse(server.url + page, {port: chrome.port, output: 'json', logLevel: 'error'});
  const scores = [];
  for (const [name, target] of Object.entries(targets)) {
    const score = Math.round(result.lhr.categories[name].score * 100);
    scores.push(`${name} ${score}`);
    if (score < target) {
      ok = false;
      const failing = Object.values(result.lhr.audits)
          .filter(a => a.score !== null && a.score < 1 && a.scoreDisplayMode === 'binary')
          .map(a => a.id);
      console.log(`FAILED: ${page} ${name} ${score} < ${target}; audits: ${failing.join(', ')}`);
    }
  }
  console.log(`${page}: ${scores.join(', ')}`);
}
await chrome.kill();
await server.close();
process.exit(ok ? 0 : 1);
