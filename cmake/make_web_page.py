"""Writes the site's page from its template: the window's markup and its
stylesheet, which the web front end writes (ui/web/write_page.cpp), put in
the page itself, so that the first response draws the window; and the
stylesheet's hash in the page's security policy, which admits no other.
Usage: make_web_page.py <page template> <stylesheet> <output> <command running write_page>...
"""
import base64
import hashlib
import subprocess
import sys

template, stylesheet, output, *write_page = sys.argv[1:]


def written(part):
    return subprocess.run(write_page + [part], check=True, stdout=subprocess.PIPE).stdout.decode()


with open(stylesheet, encoding="utf-8") as read:
    style = read.read() + written("style")
digest = base64.b64encode(hashlib.sha256(style.encode()).digest()).decode()
with open(template, encoding="utf-8") as read:
    page = read.read()
page = page.replace("{{style-hash}}", f"'sha256-{digest}'").replace("{{style}}", style)
with open(output, "w", encoding="utf-8") as page_file:
    page_file.write(page.replace("{{window}}", written("markup")))
