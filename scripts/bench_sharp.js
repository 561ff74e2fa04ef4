// Times npm sharp's Lanczos-3 resize for scripts/bench_compare.py.
//
// Usage: node bench_sharp.js SHARP_DIR SW SH DW DH
// Resizes random raw pixels from SW x SH to exactly DW x DH (fit "fill", so
// the aspect ratio is not kept, as our stretch does), raw in and raw out so
// that no codec time is counted, on one thread (sharp.concurrency(1)) with
// libvips' operation cache off, once with 3 channels (RGB) and once with 4
// (RGBA, which sharp premultiplies around the resize). Each call is timed in
// process CPU time (user + system, all threads); prints one JSON line per
// channel count: {"channels", "mpix" (output megapixels per second, median
// call), "calls"}, and a first line {"sharp", "vips"} with the versions.

"use strict";

const crypto = require("crypto");

const REPEATS = 15;

async function timeCalls(sharp, channels, sw, sh, dw, dh) {
  const input = crypto.randomBytes(sw * sh * channels);
  const once = () =>
    sharp(input, { raw: { width: sw, height: sh, channels } })
      .resize(dw, dh, { fit: "fill", kernel: "lanczos3" })
      .raw()
      .toBuffer();
  for (let i = 0; i < 2; i++) await once(); // warm up
  const seconds = [];
  for (let i = 0; i < REPEATS; i++) {
    const start = process.cpuUsage();
    const out = await once();
    const used = process.cpuUsage(start);
    if (out.length !== dw * dh * channels) throw new Error(`unexpected output size ${out.length}`);
    seconds.push((used.user + used.system) / 1e6);
  }
  seconds.sort((a, b) => a - b);
  const median = seconds[Math.floor(seconds.length / 2)];
  return (dw * dh) / median / 1e6;
}

async function main() {
  const [dir, ...sizes] = process.argv.slice(2);
  const [sw, sh, dw, dh] = sizes.map(Number);
  if (!dir || ![sw, sh, dw, dh].every((n) => Number.isInteger(n) && n > 0)) {
    console.error("usage: node bench_sharp.js SHARP_DIR SW SH DW DH");
    process.exit(2);
  }
  const sharp = require(require("path").resolve(dir));
  sharp.concurrency(1);
  sharp.cache(false);
  console.log(JSON.stringify({ sharp: sharp.versions.sharp, vips: sharp.versions.vips }));
  for (const channels of [3, 4]) {
    const mpix = await timeCalls(sharp, channels, sw, sh, dw, dh);
    console.log(JSON.stringify({ channels, mpix, calls: REPEATS }));
  }
}

main().catch((e) => {
  console.error(`bench_sharp: ${e.message}`);
  process.exit(1);
});
