// The last field texts, kept across visits. Storage may be refused (a
// private window, a locked-down file:// origin): then nothing is kept.

const Key = "ppspin.fields.v1";

export function loadTexts(count: number): string[] | null {
  try {
    const raw = localStorage.getItem(Key);
    if (!raw) return null;
    const texts: unknown = JSON.parse(raw);
    if (Array.isArray(texts) && texts.length === count && texts.every((t) => typeof t === "string"))
      return texts as string[];
  } catch {
    // unreadable or refused: start from the defaults
  }
  return null;
}

export function saveTexts(texts: string[]): void {
  try {
    localStorage.setItem(Key, JSON.stringify(texts));
  } catch {
    // storage refused: the fields still work, they are just not kept
  }
}
