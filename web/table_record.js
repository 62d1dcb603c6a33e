// The table operations as one line each, written exactly as the native
// recording table writes them, so a page's record can be compared with the
// program's. Used by the page and by the Node check.
'use strict';

const TableRecord = (() => {
  const Ranks = 'A23456789TJQK';
  const Suits = 'SHCD';
  const decoder = new TextDecoder('shift_jis');

  const cardText = (card) =>
    card >= 0 && card < 52 ? Ranks[card % 13] + Suits[Math.floor(card / 13)] : '?' + card;
  // Shift-JIS bytes as text; line breaks written as a backslash and n.
  const decode = (bytes) => decoder.decode(bytes);
  const readable = (bytes) => decode(bytes).replace(/\n/g, '\\n');
  const ascii = (bytes) => String.fromCharCode(...bytes);

  // A table that writes a line for every operation into `lines`, then hands the
  // operation on to `inner`, which draws it. `facts()` gives the core's facts
  // (WebTableFacts), for the names of the mouths and the controls.
  function recording(inner, lines, facts) {
    const mouthName = (id) => facts().mouths[id].name;
    const controlName = (id) =>
      Object.keys(facts().controls).find((name) => facts().controls[name].id === id);
    const pass =
      (name, line) =>
      (...args) => {
        lines.push(line(...args));
        return inner[name](...args);
      };
    return {
      showSpeech: pass('showSpeech', (t) => `ShowSpeech(${readable(t)})`),
      clearSpeech: pass('clearSpeech', () => 'ClearSpeech()'),
      drawMouth: pass('drawMouth', (m) => `DrawMouth(${mouthName(m)})`),
      drawCardFace: pass('drawCardFace', (s, c) => `DrawCardFace(${s}, ${cardText(c)})`),
      drawCardBack: pass('drawCardBack', (s) => `DrawCardBack(${s})`),
      drawEmptySlot: pass('drawEmptySlot', (s) => `DrawEmptySlot(${s})`),
      drawMoney: pass('drawMoney', (c, p) => `DrawMoney(${c}, ${p})`),
      showHandName: pass(
        'showHandName',
        (side, category, name) =>
          `ShowHandName(${side === 1 ? 'PlayerSide' : 'ComputerSide'}, ${category}, ${readable(name)})`,
      ),
      markCard: pass(
        'markCard',
        (s, c, marked) => `MarkCard(${s}, ${cardText(c)}, ${marked ? 'marked' : 'unmarked'})`,
      ),
      clearCardMark: pass('clearCardMark', (c) => `ClearCardMark(${cardText(c)})`),
      clearHandNames: pass('clearHandNames', () => 'ClearHandNames()'),
      requestRepaint: pass('requestRepaint', () => 'RequestRepaint()'),
      enableControl: pass('enableControl', (id, on) => `Enable(${controlName(id)}, ${on ? 1 : 0})`),
      armRoundTimer: pass('armRoundTimer', (ms) => `Arm(RoundTimer, ${ms})`),
      stopRoundTimer: pass('stopRoundTimer', () => 'Stop(RoundTimer)'),
      readBetBoxText: () => {
        const text = String(inner.readBetBoxText());
        lines.push(`ReadBetBox() -> ${text}`);
        return text;
      },
      writeBetBoxText: pass('writeBetBoxText', (t) => `WriteBetBox(${ascii(t)})`),
    };
  }

  return { recording, decode, cardText };
})();

if (typeof module !== 'undefined') module.exports = TableRecord;
