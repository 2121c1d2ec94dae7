export function go(d) { throw "a\nb"; }
export function loop() { for (;;) {} }
export function big() { return new Array(1e9).fill(0); }
