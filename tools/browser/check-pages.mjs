// Opens a modern gallery in headless Chromium and checks what a phone visitor meets:
// no sideways scrolling and readable text at 320 and 390 pixels, thumbnails at least 100
// pixels wide, keyboard and swipe navigation that replaces the history entry, and pages
// that still show everything with scripts off. Prints "N passed, N failed".
// Usage: node check-pages.mjs GALLERY_DIR   (CHROME_PATH names the browser)
import puppeteer from 'puppeteer-core';
import path from 'node:path';
import {serve} from './serve.mjs';

const gallery = path.resolve(process.argv[2]);
let passed = 0;
let failed = 0;
function check(ok, what) {
  if (ok) {
    passed++;
  } else {
    failed++;
    console.log(`FAILED: ${what}`);
  }
}

const server = await serve(gallery);
const browser = await puppeteer.launch({
  executablePath: process.env.CHROME_PATH,
  headless: true,
  args: ['--no-sandbox', '--disable-gpu'],
});

async function layout(page, url, width) {
  await page.goto(server.url + url, {waitUntil: 'load'});
  const facts = await page.evaluate(() => {
    const small = [];
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    while (walker.nextNode()) {
      const node = walker.currentNode;
      if (!node.textContent.trim()) continue;
      const size = parseFloat(getComputedStyle(node.parentElement).fontSize);
      if (size < 12) small.push(`${node.textContent.trim()} (${size}px)`);
    }
    const thumbs = [...document.querySelectorAll('.grid img')].map(img => img.getBoundingClientRect().width);
    const targets = [...document.querySelectorAll('nav a')].map(a => a.getBoundingClientRect())
                        .filter(r => r.width < 48 || r.height < 48).length;
    return {scroll: document.documentElement.scrollWidth, inner: window.innerWidth, small, thumbs, targets};
  });
  check(facts.scroll <= facts.inner, `${url} at ${width}px scrolls sideways (${facts.scroll} > ${facts.inner})`);
  check(facts.small.length === 0, `${url} at ${width}px: text under 12px: ${facts.small.join(', ')}`);
  check(facts.thumbs.every(w => w >= 100), `${url} at ${width}px: thumbnails ${facts.thumbs.join(', ')}`);
  check(facts.targets === 0, `${url} at ${width}px: ${facts.targets} navigation links under 48 x 48`);
}

for (const [width, height, scale] of [[320, 640, 2], [390, 844, 3]]) {
  const page = await browser.newPage();
  await page.setViewport({width, height, deviceScaleFactor: scale, isMobile: true, hasTouch: true});
  for (const url of ['index.html', 'page2.html', 'photo_02-coffee_png.html']) {
    await layout(page, url, width);
  }
  // The picture fits the window: never wider than the screen, never taller than the window.
  const fit = await page.evaluate(() => {
    const r = document.querySelector('figure img').getBoundingClientRect();
    return {width: r.width, height: r.height, right: r.right, bottom: r.bottom,
            innerWidth: window.innerWidth, innerHeight: window.innerHeight};
  });
  check(fit.right <= fit.innerWidth && fit.bottom <= fit.innerHeight,
        `the picture at ${width}px does not fit the window: ${JSON.stringify(fit)}`);
  // A sharp screen gets the sharp thumbnail.
  await page.goto(server.url + 'index.html', {waitUntil: 'load'});
  const current = await page.evaluate(() => document.querySelector('.grid img').currentSrc);
  check(current.includes('@2x'), `a ${scale}x screen shows ${current}`);
  await page.close();
}

// Keyboard: Right and Left move between pictures in place of the history entry, a modifier
// keeps the page, Escape returns to the thumbnail's cell on its index page.
{
  const page = await browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  await page.goto(server.url + 'page2.html', {waitUntil: 'load'});
  await page.goto(server.url + 'photo_14-astronaut_png.html', {waitUntil: 'load'});
  const before = await page.evaluate(() => history.length);
  await Promise.all([page.waitForNavigation(), page.keyboard.press('ArrowRight')]);
  check(page.url().endsWith('photo_15-hubble_deep_field_jpg.html'), `ArrowRight went to ${page.url()}`);
  await Promise.all([page.waitForNavigation(), page.keyboard.press('ArrowLeft')]);
  check(page.url().endsWith('photo_14-astronaut_png.html'), `ArrowLeft went to ${page.url()}`);
  check(await page.evaluate(() => history.length) === before, 'moving between pictures added history');
  await page.keyboard.down('Shift');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.up('Shift');
  await new Promise(r => setTimeout(r, 300));
  check(page.url().endsWith('photo_14-astronaut_png.html'), 'Shift+ArrowRight moved');
  await Promise.all([page.waitForNavigation(), page.keyboard.press('Escape')]);
  check(page.url().endsWith('index.html#photo-14'), `Escape went to ${page.url()}`);
  await page.goBack();
  check(page.url().endsWith('photo_14-astronaut_png.html'), `Back from the index went to ${page.url()}`);
  await page.goBack();
  check(page.url().endsWith('page2.html'), `one Back from the pictures went to ${page.url()}`);
  await page.close();
}

// A swipe to the left goes to the next picture; a mostly vertical one does nothing.
{
  const page = await browser.newPage();
  await page.setViewport({width: 390, height: 844, isMobile: true, hasTouch: true});
  await page.goto(server.url + 'photo_03-chelsea_png.html', {waitUntil: 'load'});
  const session = await page.createCDPSession();
  const swipe = async (x0, y0, x1, y1) => {
    await session.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [{x: x0, y: y0}]});
    await session.send('Input.dispatchTouchEvent', {type: 'touchMove', touchPoints: [{x: x1, y: y1}]});
    await session.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
  };
  await swipe(200, 400, 180, 600);
  await new Promise(r => setTimeout(r, 300));
  check(page.url().endsWith('photo_03-chelsea_png.html'), 'a vertical swipe moved');
  await Promise.all([page.waitForNavigation(), swipe(300, 400, 150, 420)]);
  check(page.url().endsWith('photo_04-astronaut_png.html'), `a swipe left went to ${page.url()}`);
  await page.close();
}

// Scripts off: the pictures show and every link still leads somewhere.
{
  const page = await browser.newPage();
  await page.setJavaScriptEnabled(false);
  await page.setViewport({width: 390, height: 844, isMobile: true, hasTouch: true});
  for (const url of ['index.html', 'photo_05-hubble_deep_field_jpg.html']) {
    await page.goto(server.url + url, {waitUntil: 'load'});
    const facts = await page.evaluate(() => ({
      shown: [...document.images].filter(img => img.loading !== 'lazy')
                 .every(img => img.complete && img.naturalWidth > 0),
      links: document.querySelectorAll('a[href]').length,
    }));
    check(facts.shown, `${url} without scripts shows no pictures`);
    check(facts.links > 2, `${url} without scripts has ${facts.links} links`);
  }
  await Promise.all([page.waitForNavigation(), page.click('#next')]);
  check(page.url().endsWith('photo_06-rocket_jpg.html'), `the next link without scripts went to ${page.url()}`);
  await page.close();
}

await browser.close();
await server.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
