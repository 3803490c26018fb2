// Times adif-parser-ts parsing an ADIF file: node parse.js FILE.adi
'use strict';
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');

const file = process.argv[2];
if (!file) {
    console.error('usage: node parse.js FILE.adi');
    process.exit(2);
}
const text = fs.readFileSync(file, 'latin1');
const runs = 5;
let best = Infinity;
let records = 0;
for (let i = 0; i < runs; i++) {
    const start = process.hrtime.bigint();
    records = AdifParser.parseAdi(text).records.length;
    best = Math.min(best, Number(process.hrtime.bigint() - start) / 1e6);
}
console.log(`adif-parser-ts parse (best of ${runs})     ${best.toFixed(1).padStart(8)} ms  (${records} records)`);
