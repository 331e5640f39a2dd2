// Saving made in the page: a Blob offered as a download, nothing sent.

export function download(name: string, data: Uint8Array | string, type: string): void {
  // A copy: a view into the module's memory may move as the memory grows.
  const part = typeof data === "string" ? data : new Uint8Array(data);
  const url = URL.createObjectURL(new Blob([part], { type }));
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  a.hidden = true;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

// The last part of a path typed into the file-name field: a browser
// chooses the folder itself.
export function baseName(path: string): string {
  const name = path.split(/[\\/]/).pop() ?? "";
  return name.trim() === "" ? "ppspin-report.txt" : name;
}

export function stem(path: string): string {
  const name = baseName(path);
  const dot = name.lastIndexOf(".");
  return dot > 0 ? name.slice(0, dot) : name;
}
