// The night over Vael: stars, the castle of Hollowmere, rising embers and a wyvern on patrol.
"use strict";
const canvas = document.getElementById("world");
const ctx = canvas.getContext("2d");
const stars = Array.from({length: 160}, () => ({x: Math.random(), y: Math.random() * 0.7,
                                                 r: Math.random() * 1.4 + 0.3,
                                                 phase: Math.random() * Math.PI * 2}));
const embers = Array.from({length: 70}, () => ({x: Math.random(), y: Math.random(),
                                                  speed: 0.02 + Math.random() * 0.05,
                                                  drift: Math.random() * Math.PI * 2}));

function resize() {
    canvas.width = window.innerWidth;
    canvas.height = window.innerHeight;
}

function sky(w, h) {
    const gradient = ctx.createLinearGradient(0, 0, 0, h);
    gradient.addColorStop(0, "#07060a");
    gradient.addColorStop(0.6, "#1d1522");
    gradient.addColorStop(1, "#4a1a1f");
    ctx.fillStyle = gradient;
    ctx.fillRect(0, 0, w, h);
}

function starfield(w, h, t) {
    for (const s of stars) {
        ctx.globalAlpha = 0.5 + 0.5 * Math.sin(t * 1.5 + s.phase);
        ctx.fillStyle = "#f3e9d2";
        ctx.beginPath();
        ctx.arc(s.x * w, s.y * h, s.r, 0, Math.PI * 2);
        ctx.fill();
    }
    ctx.globalAlpha = 1;
    ctx.fillStyle = "#eadcc0";
    ctx.beginPath();
    ctx.arc(w * 0.8, h * 0.2, Math.min(w, h) * 0.06, 0, Math.PI * 2);
    ctx.fill();
}

function castle(w, h) {
    const base = h * 0.78;
    ctx.fillStyle = "#0b080e";
    ctx.beginPath();
    ctx.moveTo(0, h);
    ctx.lineTo(0, base);
    const towers = [[0.12, 0.16], [0.2, 0.1], [0.34, 0.28], [0.42, 0.2], [0.5, 0.34],
                    [0.58, 0.2], [0.7, 0.24], [0.86, 0.12]];
    for (const [x, height] of towers) {
        const left = x * w - w * 0.025;
        const right = x * w + w * 0.025;
        ctx.lineTo(left, base);
        ctx.lineTo(left, base - height * h);
        ctx.lineTo(x * w, base - height * h - h * 0.05);
        ctx.lineTo(right, base - height * h);
        ctx.lineTo(right, base);
    }
    ctx.lineTo(w, base);
    ctx.lineTo(w, h);
    ctx.closePath();
    ctx.fill();
    ctx.fillStyle = "#f0b44c";
    for (const [x, height] of towers) {
        ctx.fillRect(x * w - 3, base - height * h + h * 0.03, 6, 9);
    }
}

function rise(w, h, dt) {
    for (const e of embers) {
        e.y -= e.speed * dt;
        e.drift += dt;
        if (e.y < 0.3) {
            e.y = 1;
            e.x = Math.random();
        }
        ctx.globalAlpha = Math.min(1, (e.y - 0.3) * 2);
        ctx.fillStyle = "#ff8a3d";
        ctx.fillRect(e.x * w + Math.sin(e.drift) * 8, e.y * h, 2, 2);
    }
    ctx.globalAlpha = 1;
}

function wyvern(w, h, t) {
    const x = ((t * 0.06) % 1.2 - 0.1) * w;
    const y = h * 0.32 + Math.sin(t * 0.8) * h * 0.04;
    const flap = Math.sin(t * 6) * 18;
    ctx.fillStyle = "#140d12";
    ctx.beginPath();
    ctx.moveTo(x - 40, y + 4);
    ctx.quadraticCurveTo(x - 10, y - 6, x + 30, y);
    ctx.lineTo(x + 42, y - 4);
    ctx.lineTo(x + 32, y + 6);
    ctx.quadraticCurveTo(x, y + 10, x - 40, y + 4);
    ctx.fill();
    for (const side of [-1, 1]) {
        ctx.beginPath();
        ctx.moveTo(x - 6, y);
        ctx.quadraticCurveTo(x - 20, y - 30 * side - flap * side, x - 38, y - 26 * side - flap);
        ctx.lineTo(x + 12, y);
        ctx.fill();
    }
}

let last = performance.now();
function frame(now) {
    const dt = Math.min(0.1, (now - last) / 1000);
    last = now;
    const t = now / 1000;
    const w = canvas.width;
    const h = canvas.height;
    sky(w, h);
    starfield(w, h, t);
    wyvern(w, h, t);
    castle(w, h);
    rise(w, h, dt);
    requestAnimationFrame(frame);
}

window.addEventListener("resize", resize);
window.addEventListener("load", () => fetch("/loaded?page=game", {cache: "no-store"}));
resize();
requestAnimationFrame(frame);
