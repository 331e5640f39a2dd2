"""Small HTML tables for the results' display in a notebook."""

import html


def html_table(caption, header, rows):
    """A table of texts under a caption, every text escaped."""

    def cells(tag, texts):
        return "".join(f"<{tag}>{html.escape(str(text))}</{tag}>" for text in texts)

    body = "".join(f"<tr>{cells('td', row)}</tr>" for row in rows)
    return (
        f"<table><caption>{html.escape(caption)}</caption>"
        f"<thead><tr>{cells('th', header)}</tr></thead><tbody>{body}</tbody></table>"
    )
