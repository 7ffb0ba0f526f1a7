#!/usr/bin/env python3
"""Reads CHANGELOG.md (Keep a Changelog) and writes what is made from it.

Usage: changelog.py CHANGELOG.md --version V [--maintainer "Name <address>"]
                    [--debian FILE] [--appstream FILE]
Prints the version's release date (YYYY-MM-DD); fails, saying why, where the
changelog has no entry for the version. --debian writes a Debian changelog
of every release, --appstream the <releases> element of AppStream metadata,
both newest first, as the changelog lists them.
"""
import argparse
import datetime
import email.utils
import html
import re
import sys
import textwrap

HEADING = re.compile(r"^## \[(?P<version>[^\]]+)\] - (?P<date>\d{4}-\d{2}-\d{2})\s*$")


def releases(text):
    """[(version, date, [(section, [item, ...]), ...]), ...] in file order."""
    found = []
    for line in text.splitlines():
        heading = HEADING.match(line)
        if heading:
            date = datetime.date.fromisoformat(heading["date"])
            found.append((heading["version"], date, []))
        elif line.startswith("## "):
            found.append(None)  # [Unreleased] and the like: not a release
        elif not found or found[-1] is None:
            continue
        elif line.startswith("### "):
            found[-1][2].append((line[4:].strip(), []))
        elif line.startswith("- ") and found[-1][2]:
            found[-1][2][-1][1].append(line[2:].strip())
        elif line.startswith("  ") and line.strip() and found[-1][2] and found[-1][2][-1][1]:
            items = found[-1][2][-1][1]
            items[-1] += " " + line.strip()
    return [release for release in found if release]


def plain(markdown):
    """The text of a line of Markdown: links by their words, code as is."""
    text = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", markdown)
    return text.replace("`", "").replace("**", "")


def debian_changelog(all_releases, maintainer):
    entries = []
    for version, date, sections in all_releases:
        lines = [f"velmora ({version}) unstable; urgency=medium", ""]
        for section, items in sections:
            for item in items:
                lines += textwrap.wrap(f"{section}: {plain(item)}", 78, initial_indent="  * ",
                                       subsequent_indent="    ", break_on_hyphens=False)
        midnight = datetime.datetime.combine(date, datetime.time(), datetime.timezone.utc)
        lines += ["", f" -- {maintainer}  {email.utils.format_datetime(midnight)}", ""]
        entries.append("\n".join(lines))
    return "\n".join(entries)


def appstream_releases(all_releases):
    lines = ["<releases>"]
    for version, date, sections in all_releases:
        lines.append(f'    <release version="{version}" date="{date.isoformat()}">')
        lines.append("      <description>")
        for section, items in sections:
            lines.append(f"        <p>{html.escape(section)}:</p>")
            lines.append("        <ul>")
            lines += [f"          <li>{html.escape(plain(item))}</li>" for item in items]
            lines.append("        </ul>")
        lines += ["      </description>", "    </release>"]
    lines.append("  </releases>")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("changelog")
    parser.add_argument("--version", required=True)
    parser.add_argument("--maintainer", default="")
    parser.add_argument("--debian")
    parser.add_argument("--appstream")
    arguments = parser.parse_args()
    with open(arguments.changelog, encoding="utf-8") as file:
        all_releases = releases(file.read())
    dates = {version: date for version, date, _ in all_releases}
    if arguments.version not in dates:
        sys.exit(f"{arguments.changelog} has no entry for version {arguments.version}: add a heading "
                 f'"## [{arguments.version}] - YYYY-MM-DD" with what the release changes.')
    for version, _, sections in all_releases:
        if not any(items for _, items in sections):
            sys.exit(f"{arguments.changelog}: the entry for {version} lists no changes.")
    if arguments.debian:
        with open(arguments.debian, "w", encoding="utf-8") as file:
            file.write(debian_changelog(all_releases, arguments.maintainer))
    if arguments.appstream:
        with open(arguments.appstream, "w", encoding="utf-8") as file:
            file.write(appstream_releases(all_releases))
    print(dates[arguments.version].isoformat())


if __name__ == "__main__":
    main()
