// Small DOM helpers shared by the panels.

type Child = Node | string | null | undefined | false;

export function h<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attrs: Record<string, string | number | boolean | undefined> = {},
  ...children: Child[]
): HTMLElementTagNameMap[K] {
  const el = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) {
    if (v === undefined || v === false) continue;
    if (k === "text") el.textContent = String(v);
    else el.setAttribute(k, v === true ? "" : String(v));
  }
  for (const c of children) if (c) el.append(c);
  return el;
}

export function byId<T extends HTMLElement = HTMLElement>(id: string): T {
  const el = document.getElementById(id);
  if (!el) throw new Error(`#${id} is missing from the page`);
  return el as T;
}

// The page-wide alert: run refusals, unreadable files, faults of the page.
export function alertMessage(text: string): void {
  const el = byId("message");
  el.textContent = text;
  el.hidden = text === "";
}

export function statusMessage(text: string): void {
  byId("status").textContent = text;
}

export function errorText(e: unknown): string {
  return e instanceof Error ? e.message : String(e);
}

// Every handler goes through this: the page reports its own faults
// rather than throwing them at the browser.
export function guard<A extends unknown[]>(fn: (...args: A) => unknown): (...args: A) => void {
  return (...args: A) => {
    try {
      const r = fn(...args);
      if (r instanceof Promise) r.catch((e) => alertMessage(errorText(e)));
    } catch (e) {
      alertMessage(errorText(e));
    }
  };
}

export function on<K extends keyof HTMLElementEventMap>(
  el: EventTarget,
  type: K,
  fn: (e: HTMLElementEventMap[K]) => unknown,
): void {
  el.addEventListener(type, guard(fn as (e: Event) => unknown));
}

// A number typed in a panel's own field ("." as decimal separator, as in
// the main fields); undefined when empty, NaN when not a number.
export function numberOf(text: string): number | undefined {
  const t = text.trim();
  if (t === "") return undefined;
  return /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(t) ? Number(t) : NaN;
}

export function nextFrame(): Promise<void> {
  return new Promise((resolve) => {
    if (typeof requestAnimationFrame === "function") requestAnimationFrame(() => resolve());
    else setTimeout(resolve, 0);
  });
}
