// Face-off buzzers on phones, in Debian's chromium: one player takes a seat from the room's
// entrance, the other from the board's page; a press before L locks its player out;
// after L the first press wins: that phone says so, /tablero flashes the team's panel, the
// board window its score box (screenshots the shell measures) and the program's log names
// the winner; a reload keeps the seat.
//   node buzzer.mjs <room origin> <room code> <screenshot folder> <left team> <right team>
// The board window's id is in VELTA_WINDOW, the program's log in VELTA_LOG; keys reach the
// board through xdotool.
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { chromium } from "playwright-core";

const [origin, code, shots, leftTeam, rightTeam] = process.argv.slice(2);
const phone = { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true };
const tv = { viewport: { width: 1920, height: 1080 } };
const wait = { timeout: 15000 };
const leftColours = ["rgb(10, 130, 85)", "rgb(120, 255, 160)"];
const boardShots = 5;

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

async function waitText(page, id, text) {
  try {
    await page.waitForFunction(
      ([i, t]) => document.getElementById(i).textContent === t, [id, text], wait);
  } catch (e) {
    const found = await page.textContent(`#${id}`);
    throw new Error(`${page.url()}: #${id} says "${found}", not "${text}"`);
  }
}

async function seatId(page) {
  return page.evaluate(() => localStorage.getItem("velta.puesto"));
}

async function onPad(page, team, name) {
  await page.waitForSelector("#pad", { state: "visible", ...wait });
  check(await page.isHidden("#seatForm"), "the seat form is still shown over the button");
  await waitText(page, "seatName", name);
  await waitText(page, "seatTeam", team);
}

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox"],
});
try {
  const board = await (await browser.newContext(tv)).newPage();
  await board.goto(`${origin}/tablero?codigo=${code}`);
  await board.waitForSelector("#status", { state: "hidden", ...wait });
  await waitText(board, "leftName", leftTeam);

  // Ana comes in from the entrance with the code typed; each phone is a browser of its own.
  const ana = await (await browser.newContext(phone)).newPage();
  await ana.goto(`${origin}/`);
  await ana.fill("#codigo", code);
  await ana.click("button[formaction='/pulsador']");
  await ana.waitForURL(/\/pulsador\?codigo=\d{6}$/, wait);
  await ana.waitForSelector("#seatForm", { state: "visible", ...wait });
  await waitText(ana, "team0", leftTeam);
  await waitText(ana, "team1", rightTeam);
  await ana.screenshot({ path: `${shots}/buzzer_seat_phone.png` });
  await ana.fill("#name", "Ana");
  await ana.click("#enter");
  await waitText(ana, "note", "Elija su equipo");
  await ana.click("#team0");
  await ana.click("#enter");
  await onPad(ana, leftTeam, "Ana");
  await waitText(ana, "buttonText", "Espera");
  const anaSeat = await seatId(ana);
  check(/^[0-9a-f]{16}$/.test(anaSeat || ""), `the seat id is "${anaSeat}"`);

  // Beto comes from the board's page (its QR code); Enter in the name field takes the seat,
  // the name trimmed.
  const beto = await (await browser.newContext(phone)).newPage();
  await beto.goto(`${origin}/tablero?codigo=${code}`);
  await beto.click("#toBuzzer");
  await beto.waitForURL(/\/pulsador\?codigo=\d{6}$/, wait);
  await beto.waitForSelector("#seatForm", { state: "visible", ...wait });
  await beto.click("#team1");
  await beto.fill("#name", "  Beto  ");
  await beto.press("#name", "Enter");
  await onPad(beto, rightTeam, "Beto");
  check((await seatId(beto)) !== anaSeat, "two phones share a seat id");

  boardKey("s");
  await board.waitForFunction(
    () => document.getElementById("question").textContent.includes("playa"), null, wait);

  // A press before L (a click: the mouse's way in) locks Beto out of this face-off.
  await beto.click("#button");
  await waitText(beto, "buttonText", "Bloqueado");
  await beto.screenshot({ path: `${shots}/buzzer_locked_phone.png` });

  boardKey("l");
  await waitText(ana, "buttonText", "¡Pulsa!");
  await beto.waitForTimeout(500);
  check((await beto.textContent("#buttonText")) === "Bloqueado", "L let a false start back in");

  // Ana's tap wins: her phone, the audience's page and the board show it.
  await ana.tap("#button");
  await Promise.all([
    waitText(ana, "buttonText", "¡Primero!"),
    board.waitForFunction(([name, colours]) => {
      const panel = document.getElementById("leftTeam");
      return / winner /.test(` ${panel.className} `) &&
        document.getElementById("leftName").textContent === name &&
        document.getElementById("leftPlayer").textContent === "Ana" &&
        colours.indexOf(getComputedStyle(panel).backgroundColor) >= 0;
    }, [leftTeam, leftColours], wait),
  ]);
  await board.screenshot({ path: `${shots}/buzzer_tablero_tv.png` });
  for (let i = 1; i <= boardShots; i++) {
    execFileSync("import", ["-window", "root", `${shots}/buzzer_board_${i}.png`]);
  }
  await ana.screenshot({ path: `${shots}/buzzer_first_phone.png` });
  check(await board.isHidden("#rightPlayer"), "the right panel flashes too");

  const line = `Cara a cara: primero ${leftTeam} (Ana)`;
  const deadline = Date.now() + 5000;
  while (!readFileSync(process.env.VELTA_LOG, "utf8").includes(line)) {
    check(Date.now() < deadline, `the program's log has no line "${line}"`);
    await ana.waitForTimeout(200);
  }

  // The flash ends by itself (three seconds).
  await board.waitForFunction(
    () => document.getElementById("leftTeam").className === "team" &&
      document.getElementById("leftPlayer").textContent === "", null, { timeout: 5000 });

  // A reload keeps Ana's seat: no form, her name on the button's page.
  await ana.reload();
  await ana.waitForSelector("#status", { state: "hidden", ...wait });
  await onPad(ana, leftTeam, "Ana");
  check((await seatId(ana)) === anaSeat, "the reload made a new seat id");

  // "Cambiar de equipo" reopens the form as the seat stands; Entrar unchanged goes back.
  await ana.click("#change");
  await ana.waitForSelector("#seatForm", { state: "visible", ...wait });
  check((await ana.inputValue("#name")) === "Ana", "the form forgot the name");
  check((await ana.getAttribute("#team0", "aria-pressed")) === "true", "the form forgot the team");
  await ana.click("#enter");
  await onPad(ana, leftTeam, "Ana");
  console.log("browser: all checks passed");
} finally {
  await browser.close();
}
