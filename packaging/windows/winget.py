#!/usr/bin/env python3
"""Writes the Windows Package Manager's manifests of a release of Velmora.

Usage: winget.py <folder> --version V --description TEXT --homepage URL
                 --publisher NAME --changelog CHANGELOG.md --url URL <msi>...
Writes the multi-file manifest (version, installer, default locale) in the
community repository's layout, <folder>/manifests/v/Velmora/Velmora/<V>/,
to submit as it is. Every installer is one of the MSIs, published at
<URL>/<its name>; its hash, product code and upgrade code are read from the
file, the release notes and date from the changelog's entry for V.
"""
import argparse
import hashlib
import os
import subprocess
import sys

import yaml

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import changelog  # noqa: E402

IDENTIFIER = "Velmora.Velmora"
SCHEMA_VERSION = "1.10.0"
LOCALE = "en-US"
# What winget runs the MSIs with: msiexec's own switches, without a restart.
SWITCHES = {"Silent": "/quiet /norestart", "SilentWithProgress": "/passive /norestart"}
ARCHITECTURES = {"Intel": "x86", "x64": "x64"}  # the MSI's platform, as winget names it


def msi_facts(path):
    """The MSI's properties and its platform (its summary's Template)."""
    exported = subprocess.run(["msiinfo", "export", path, "Property"], check=True,
                              capture_output=True, text=True).stdout
    properties = dict(line.rstrip("\r").split("\t", 1) for line in exported.splitlines()[3:] if "\t" in line)
    summary = subprocess.run(["msiinfo", "suminfo", path], check=True, capture_output=True, text=True).stdout
    template = next(line.split(":", 1)[1].strip() for line in summary.splitlines() if line.startswith("Template:"))
    return properties, ARCHITECTURES[template.split(";")[0]]


def release_notes(path, version):
    for entry_version, date, sections in changelog.releases(open(path, encoding="utf-8").read()):
        if entry_version == version:
            lines = []
            for section, items in sections:
                lines.append(f"{section}:")
                lines += [f"- {changelog.plain(item)}" for item in items]
            return date.isoformat(), "\n".join(lines)
    sys.exit(f"{path} has no entry for version {version}")


def block_text(dumper, text):
    return dumper.represent_scalar("tag:yaml.org,2002:str", text, style="|" if "\n" in text else None)


def write(folder, kind, name, document):
    yaml.SafeDumper.add_representer(str, block_text)
    header = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{SCHEMA_VERSION}.schema.json\n\n"
    document = {"PackageIdentifier": IDENTIFIER, **document, "ManifestType": kind, "ManifestVersion": SCHEMA_VERSION}
    with open(os.path.join(folder, name), "w", encoding="utf-8") as file:
        file.write(header + yaml.safe_dump(document, sort_keys=False, allow_unicode=True, width=100))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    for option in ("version", "description", "homepage", "publisher", "changelog", "url"):
        parser.add_argument(f"--{option}", required=True)
    parser.add_argument("msis", nargs="+")
    arguments = parser.parse_args()
    version = arguments.version
    release_date, notes = release_notes(arguments.changelog, version)

    installers = []
    for path in sorted(arguments.msis):
        properties, architecture = msi_facts(path)
        with open(path, "rb") as file:
            sha256 = hashlib.sha256(file.read()).hexdigest().upper()
        installers.append({
            "Architecture": architecture,
            "InstallerUrl": f"{arguments.url.rstrip('/')}/{os.path.basename(path)}",
            "InstallerSha256": sha256,
            "ProductCode": properties["ProductCode"],
            # What Apps & features shows once it is installed, by which winget
            # knows the installed copy and offers it the next release.
            "AppsAndFeaturesEntries": [{
                "DisplayName": properties["ProductName"],
                "Publisher": properties["Manufacturer"],
                "DisplayVersion": properties["ProductVersion"],
                "ProductCode": properties["ProductCode"],
                "UpgradeCode": properties["UpgradeCode"],
            }],
        })

    folder = os.path.join(arguments.folder, "manifests", IDENTIFIER[0].lower(), *IDENTIFIER.split("."), version)
    os.makedirs(folder, exist_ok=True)
    write(folder, "version", f"{IDENTIFIER}.yaml", {"PackageVersion": version, "DefaultLocale": LOCALE})
    write(folder, "installer", f"{IDENTIFIER}.installer.yaml", {
        "PackageVersion": version,
        "InstallerType": "msi",
        "Scope": "machine",
        "InstallModes": ["interactive", "silent", "silentWithProgress"],
        "InstallerSwitches": SWITCHES,
        "UpgradeBehavior": "install",
        "ReleaseDate": release_date,
        "Installers": installers,
    })
    write(folder, "defaultLocale", f"{IDENTIFIER}.locale.{LOCALE}.yaml", {
        "PackageVersion": version,
        "PackageLocale": LOCALE,
        "Publisher": arguments.publisher,
        "PublisherUrl": arguments.homepage,
        "PackageName": "Velmora",
        "PackageUrl": arguments.homepage,
        "License": "MIT",
        "ShortDescription": arguments.description,
        "Moniker": "velmora",
        "ReleaseNotes": notes,
    })


if __name__ == "__main__":
    main()
