#!/usr/bin/env python3
"""Checks a release's Windows Package Manager manifests: one version folder
in the community repository's layout, each file valid by the Windows Package
Manager's own schema, and each installer the MSI it names, by SHA-256 and
product code. Usage: check_winget.py <winget folder> <version> <msi>..."""
import glob
import hashlib
import json
import os
import subprocess
import sys

import jsonschema
import yaml

SCHEMAS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "winget-manifest-schemas")
folder, version, msis = sys.argv[1], sys.argv[2], sys.argv[3:]
found = glob.glob(os.path.join(folder, "manifests", "*", "*", "*", "*", "*.yaml"))
expected = os.path.join(folder, "manifests", "v", "Velmora", "Velmora", version)
if not found or {os.path.dirname(path) for path in found} != {expected}:
    sys.exit(f"FAIL: the manifests are not all in {expected}: {found}")
manifests = {}
for path in found:
    manifest = yaml.safe_load(open(path, encoding="utf-8"))
    kind = manifest["ManifestType"]
    with open(os.path.join(SCHEMAS, f"manifest.{kind}.{manifest['ManifestVersion']}.json"), encoding="utf-8") as file:
        schema = json.load(file)
    try:
        jsonschema.validate(manifest, schema)
    except jsonschema.ValidationError as error:
        sys.exit(f"FAIL: {os.path.basename(path)} is not a valid {kind} manifest: {error.message}")
    if manifest["PackageVersion"] != version:
        sys.exit(f"FAIL: {os.path.basename(path)} is of version {manifest['PackageVersion']}")
    manifests[kind] = manifest
if sorted(manifests) != ["defaultLocale", "installer", "version"]:
    sys.exit(f"FAIL: the manifests are {sorted(manifests)}, not version, installer and defaultLocale")

installers = {os.path.basename(i["InstallerUrl"]): i for i in manifests["installer"]["Installers"]}
if sorted(installers) != sorted(map(os.path.basename, msis)):
    sys.exit(f"FAIL: the installers are {sorted(installers)}")
for msi in msis:
    installer = installers[os.path.basename(msi)]
    with open(msi, "rb") as file:
        sha256 = hashlib.sha256(file.read()).hexdigest().upper()
    properties = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True,
                                text=True).stdout
    product_code = next(line.split("\t")[1].strip() for line in properties.splitlines()
                        if line.startswith("ProductCode\t"))
    for what, manifest_says, msi_is in (("SHA-256", installer["InstallerSha256"], sha256),
                                        ("ProductCode", installer["ProductCode"], product_code),
                                        ("entry's ProductCode", installer["AppsAndFeaturesEntries"][0]["ProductCode"],
                                         product_code)):
        if manifest_says != msi_is:
            sys.exit(f"FAIL: the manifest's {what} of {os.path.basename(msi)} is {manifest_says}, the MSI's {msi_is}")
print(f"winget manifests of {version}: valid, in {os.path.relpath(expected, folder)}, every installer the MSI it names")
