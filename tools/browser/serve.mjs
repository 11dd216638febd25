// A small static server for a built gallery, on a free port of 127.0.0.1.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

const types = {'.html': 'text/html; charset=utf-8', '.css': 'text/css', '.jpg': 'image/jpeg',
               '.png': 'image/png'};

export function serve(folder) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(folder, path.normalize(name === '/' ? '/index.html' : name));
    if (!file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                             'Cache-Control': 'max-age=3600'});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise(done => server.close(done)),
  })));
}
