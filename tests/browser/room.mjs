// The room's pages in Debian's chromium: join with the code, the board's keys on /tablero
// with the sound let in and the answer's effect played, the host's view, a wrong code
// refused, a reload that keeps its page; screenshots at phone and television sizes.
//   node room.mjs <audience link> <host link> <screenshot folder>
// The board window's id is in VELTA_WINDOW; keys reach it through xdotool.
import { execFileSync } from "node:child_process";
import { chromium } from "playwright-core";

const [audienceLink, hostLink, shots] = process.argv.slice(2);
const sizes = { phone: { width: 390, height: 844 }, tv: { width: 1920, height: 1080 } };
const wait = { timeout: 15000 };

function boardKey(key) {
  execFileSync("xdotool", ["windowfocus", process.env.VELTA_WINDOW]);
  execFileSync("sleep", ["0.2"]);
  execFileSync("xdotool", ["key", "--clearmodifiers", key]);
}

function check(condition, what) {
  if (!condition) {
    throw new Error(what);
  }
}

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox"],
});
try {
  const origin = new URL(audienceLink).origin;
  const code = new URL(audienceLink).searchParams.get("codigo");
  const pages = {};
  for (const [name, viewport] of Object.entries(sizes)) {
    pages[name] = await browser.newPage({ viewport });
  }

  // Join with the code typed.
  const phone = pages.phone;
  await phone.goto(origin + "/");
  await phone.screenshot({ path: `${shots}/room_join_phone.png` });
  await pages.tv.goto(origin + "/");
  await pages.tv.screenshot({ path: `${shots}/room_join_tv.png` });
  await phone.fill("#codigo", code);
  await phone.click("button[type=submit]");
  await phone.waitForURL(/\/tablero\?codigo=\d{6}$/, wait);
  await phone.waitForSelector("#status", { state: "hidden", ...wait });

  // S and 1 on the board.
  boardKey("s");
  await phone.waitForFunction(
    () => document.getElementById("question").textContent.includes("playa"), null, wait);
  check(!(await phone.content()).includes("Bloqueador"), "an answer reached the audience early");
  // Sound let in with a tap: 1 on the board then plays the answer's effect on the page too.
  await phone.click("#sound");
  check((await phone.textContent("#sound")).trim() === "Sonido activado",
    "the sound button did not say the sound is on");
  boardKey("1");
  await phone.waitForFunction(
    () => (document.querySelector("#rows li.open") || {}).textContent?.includes("Bloqueador"),
    null, wait);
  await phone.waitForFunction(
    () => document.body.getAttribute("data-sonido") === "Respuesta en Tablero", null, wait);
  check((await phone.textContent("#pot")).trim() === "40", "the pot is not on the page");
  await phone.screenshot({ path: `${shots}/room_tablero_phone.png` });
  await pages.tv.goto(audienceLink);
  await pages.tv.waitForFunction(
    () => document.body.textContent.includes("Bloqueador"), null, wait);
  await pages.tv.screenshot({ path: `${shots}/room_tablero_tv.png` });

  // The host's view has the answers not yet uncovered.
  const host = await browser.newPage({ viewport: sizes.phone });
  await host.goto(hostLink);
  await host.waitForFunction(() => document.body.textContent.includes("Toalla"), null, wait);
  await host.screenshot({ path: `${shots}/room_presentador_phone.png` });
  await host.setViewportSize(sizes.tv);
  await host.screenshot({ path: `${shots}/room_presentador_tv.png` });

  // A reload keeps its page and its access.
  await phone.reload();
  await phone.waitForSelector("#status", { state: "hidden", ...wait });
  await phone.waitForFunction(
    () => document.body.textContent.includes("Bloqueador"), null, wait);
  check(/\/tablero\?codigo=/.test(phone.url()), "the reload left the page");

  // A wrong code is refused.
  const wrong = await browser.newPage({ viewport: sizes.phone });
  const response = await wrong.goto(origin + "/tablero?codigo=000000");
  check(response.status() === 403, `a wrong code got ${response.status()}`);
  check((await wrong.textContent("body")).includes("Código incorrecto"), "no refusal shown");
  console.log("browser: all checks passed");
} finally {
  await browser.close();
}
