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
    const moon = Math.min(w, h) * 0.06;
    const halo = ctx.createRadialGradient(w * 0.8, h * 0.2, moon, w * 0.8, h * 0.2, moon * 4);
    halo.addColorStop(0, "rgba(234, 220, 192, 0.25)");
    halo.addColorStop(1, "rgba(234, 220, 192, 0)");
    ctx.fillStyle = halo;
    ctx.fillRect(0, 0, w, h);
    ctx.fillStyle = "#eadcc0";
    ctx.beginPath();
    ctx.arc(w * 0.8, h * 0.2, moon, 0, Math.PI * 2);
    ctx.fill();
}

function castle(w, h) {
    const base = h * 0.78;
    const wall = base - h * 0.09;
    ctx.fillStyle = "#0b080e";
    ctx.fillRect(0, base, w, h - base);
    ctx.beginPath();
    ctx.moveTo(w * 0.08, base);
    ctx.lineTo(w * 0.08, wall);
    for (let x = w * 0.08; x < w * 0.92; x += 24) {
        ctx.lineTo(x, wall - 10);
        ctx.lineTo(x + 12, wall - 10);
        ctx.lineTo(x + 12, wall);
        ctx.lineTo(x + 24, wall);
    }
    ctx.lineTo(w * 0.92, base);
    ctx.closePath();
    ctx.fill();
    const towers = [[0.1, 0.2], [0.24, 0.14], [0.38, 0.3], [0.5, 0.38], [0.62, 0.3],
                    [0.76, 0.16], [0.9, 0.22]];
    for (const [x, height] of towers) {
        const half = w * (0.018 + height * 0.03);
        const top = base - height * h;
        ctx.beginPath();
        ctx.moveTo(x * w - half, base);
        ctx.lineTo(x * w - half, top);
        ctx.lineTo(x * w, top - h * 0.07);
        ctx.lineTo(x * w + half, top);
        ctx.lineTo(x * w + half, base);
        ctx.fill();
    }
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
    const y = h * 0.24 + Math.sin(t * 0.8) * h * 0.04;
    const flap = Math.sin(t * 6) * 18;
    ctx.fillStyle = "#5a1e26";
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
