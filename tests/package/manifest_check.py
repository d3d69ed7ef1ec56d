#!/usr/bin/env python3
"""The winget and Scoop manifests of a release, against the rules of their formats and the built files.

manifest_check.py <dist> <version> <uninstall key name> <DisplayName> <Publisher> <DisplayVersion>
The last four are what the installed uninstall entry holds. Prints each fault; exit code 1 on any.
"""
import hashlib
import json
import pathlib
import re
import sys

# winget's multi-file manifest schema (version, defaultLocale, installer), the rules we use.
ID = r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$'
VERSION = r'^[^\\/:*?"<>|\x01-\x1f]+$'
LOCALE = r'^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$'
PART = r'(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])'
MANIFEST_VERSION = rf'^{PART}(\.{PART}){{2}}$'
SHA256 = r'^[A-Fa-f0-9]{64}$'
URL = r'^([Hh][Tt][Tt][Pp][Ss]?)://.+$'
REQUIRED = {
    'version': ['PackageIdentifier', 'PackageVersion', 'DefaultLocale', 'ManifestType', 'ManifestVersion'],
    'defaultLocale': ['PackageIdentifier', 'PackageVersion', 'PackageLocale', 'Publisher', 'PackageName',
                      'License', 'ShortDescription', 'ManifestType', 'ManifestVersion'],
    'installer': ['PackageIdentifier', 'PackageVersion', 'Installers', 'ManifestType', 'ManifestVersion'],
}
ENUMS = {
    'InstallerType': {'msix', 'msi', 'appx', 'exe', 'zip', 'inno', 'nullsoft', 'wix', 'burn', 'pwa', 'portable', 'font'},
    'Scope': {'user', 'machine'},
    'Architecture': {'x86', 'x64', 'arm', 'arm64', 'neutral'},
    'ElevationRequirement': {'elevationRequired', 'elevationProhibited', 'elevatesSelf'},
    'UpgradeBehavior': {'install', 'uninstallPrevious', 'deny'},
    'InstallModes': {'interactive', 'silent', 'silentWithProgress'},
    'ReturnResponse': {'packageInUse', 'packageInUseByApplication', 'installInProgress', 'fileInUse',
                       'missingDependency', 'diskFull', 'insufficientMemory', 'invalidParameter', 'noNetwork',
                       'contactSupport', 'rebootRequiredToFinish', 'rebootRequiredForInstall', 'rebootInitiated',
                       'cancelledByUser', 'alreadyInstalled', 'downgrade', 'blockedByPolicy',
                       'systemNotSupported', 'custom'},
}
LENGTHS = {'Publisher': (2, 256), 'PackageName': (2, 256), 'License': (3, 512), 'ShortDescription': (3, 256),
           'Moniker': (1, 40)}

faults = []


def check(condition, what):
    if not condition:
        faults.append(what)


def yaml(path):
    """The small YAML our manifests use: scalars, lists of scalars, lists of flat mappings, one nested mapping."""
    root, key, item = {}, None, None
    for line in path.read_text(encoding='utf-8').splitlines():
        if not line.strip() or line.lstrip().startswith('#'):
            continue
        if not line.startswith((' ', '-')):
            key, _, value = line.partition(':')
            root[key] = value.strip() or None
            continue
        if line.startswith('- '):
            body = line[2:]
            if ':' in body:
                item = {}
                root[key] = (root[key] or []) + [item]
                k, _, v = body.partition(':')
                item[k.strip()] = v.strip()
            else:
                root[key] = (root[key] or []) + [body.strip()]
        elif line.startswith('  ') and item is not None and isinstance(root[key], list):
            k, _, v = line.strip().partition(':')
            item[k.strip()] = v.strip()
        else:  # a nested mapping (InstallerSwitches)
            root[key] = root[key] or {}
            k, _, v = line.strip().partition(':')
            root[key][k.strip()] = v.strip()
        if not line.startswith(('- ', '  ')):
            item = None
    return root


def check_winget(dist, version, key, entry):
    folders = list((dist / 'winget').glob('*/*'))
    check(len(folders) == 1, f'winget: one package folder, not {folders}')
    if not folders:
        return
    folder = folders[0]
    package_id = folder.parent.name
    check(folder.name == version, f'winget: folder {folder.name} is not version {version}')
    files = {'version': folder / f'{package_id}.yaml', 'installer': folder / f'{package_id}.installer.yaml'}
    manifests = {kind: yaml(path) for kind, path in files.items() if path.exists()}
    locale_name = manifests.get('version', {}).get('DefaultLocale', '')
    locale_path = folder / f'{package_id}.locale.{locale_name}.yaml'
    check(locale_path.exists(), f'winget: no {locale_path.name}')
    if locale_path.exists():
        manifests['defaultLocale'] = yaml(locale_path)
    check(len(manifests) == 3, f'winget: manifests found: {sorted(manifests)}')
    check(len({m.get('ManifestVersion') for m in manifests.values()}) == 1, 'winget: ManifestVersion differs between files')
    for kind, m in manifests.items():
        for field in REQUIRED[kind]:
            check(m.get(field), f'winget {kind}: no {field}')
        check(m.get('ManifestType') == kind, f'winget {kind}: ManifestType {m.get("ManifestType")}')
        check(re.match(MANIFEST_VERSION, m.get('ManifestVersion') or ''), f'winget {kind}: ManifestVersion')
        check(re.match(ID, m.get('PackageIdentifier') or '') and m['PackageIdentifier'] == package_id,
              f'winget {kind}: PackageIdentifier {m.get("PackageIdentifier")}')
        check(re.match(VERSION, m.get('PackageVersion') or '') and m['PackageVersion'] == version,
              f'winget {kind}: PackageVersion {m.get("PackageVersion")}')
        for field, (low, high) in LENGTHS.items():
            if field in m:
                check(low <= len(m[field]) <= high, f'winget {kind}: {field} is {len(m[field])} characters long')
    check(re.match(LOCALE, locale_name), f'winget: DefaultLocale {locale_name}')
    check(manifests.get('defaultLocale', {}).get('PackageLocale') == locale_name, 'winget: PackageLocale')

    inst = manifests.get('installer', {})
    for field in ('InstallerType', 'Scope', 'ElevationRequirement', 'UpgradeBehavior'):
        check(inst.get(field) in ENUMS[field], f'winget installer: {field} {inst.get(field)}')
    check(inst.get('InstallerType') == 'nullsoft' and inst.get('Scope') == 'user' and
          inst.get('ElevationRequirement') == 'elevationProhibited', 'winget installer: not a nullsoft user install')
    check(set(inst.get('InstallModes') or []) <= ENUMS['InstallModes'], 'winget installer: InstallModes')
    switches = inst.get('InstallerSwitches') or {}
    check(switches.get('Silent') == '/S' and switches.get('SilentWithProgress') == '/S', 'winget installer: silent switches')
    check(switches.get('InstallLocation') == '/D=<INSTALLPATH>', 'winget installer: InstallLocation switch')
    codes = inst.get('ExpectedReturnCodes') or []
    check(any(c.get('InstallerReturnCode') == '3' and c.get('ReturnResponse') == 'packageInUse' for c in codes),
          'winget installer: exit code 3 is not packageInUse')
    for c in codes:
        check(c.get('ReturnResponse') in ENUMS['ReturnResponse'] and c.get('InstallerReturnCode') not in ('0', None),
              f'winget installer: expected return code {c}')
    check(re.match(r'^\d{4}-\d{2}-\d{2}$', inst.get('ReleaseDate') or ''), 'winget installer: ReleaseDate')
    arp = (inst.get('AppsAndFeaturesEntries') or [{}])[0]
    check(arp == {'DisplayName': entry[0], 'Publisher': entry[1], 'DisplayVersion': entry[2], 'ProductCode': key},
          f'winget installer: AppsAndFeaturesEntries {arp} do not match the uninstall entry')
    check(inst.get('ProductCode') == key, 'winget installer: ProductCode is not the uninstall key')
    setup = dist / f'tavrik-{version}-setup.exe'
    digest = hashlib.sha256(setup.read_bytes()).hexdigest().upper()
    installers = inst.get('Installers') or []
    check(sorted(i.get('Architecture') for i in installers) == ['x64', 'x86'], 'winget installer: both architectures')
    for i in installers:
        check(re.match(SHA256, i.get('InstallerSha256', '')) and i['InstallerSha256'] == digest,
              f'winget installer: {i.get("Architecture")} hash is not the installer\'s')
        check(re.match(URL, i.get('InstallerUrl', '')) and i['InstallerUrl'].endswith('/' + setup.name),
              f'winget installer: {i.get("Architecture")} URL {i.get("InstallerUrl")}')
    pub = manifests.get('defaultLocale', {}).get('Publisher')
    check(pub == entry[1], f'winget defaultLocale: Publisher {pub} is not the uninstall entry\'s')


def check_scoop(dist, version):
    path = dist / 'scoop' / 'tavrik.json'
    try:
        m = json.loads(path.read_text(encoding='utf-8'))
    except (OSError, ValueError) as error:
        check(False, f'scoop: {error}')
        return
    for field in ('version', 'description', 'homepage', 'license', 'architecture', 'bin', 'shortcuts', 'persist'):
        check(field in m, f'scoop: no {field}')
    check(m.get('version') == version, f'scoop: version {m.get("version")}')
    check(re.match(URL, m.get('homepage', '')), 'scoop: homepage is no URL')
    arch = m.get('architecture', {})
    check(set(arch) == {'64bit', '32bit'}, f'scoop: architectures {sorted(arch)}')
    for name, zip_arch in (('64bit', 'win64'), ('32bit', 'win32')):
        zip_path = dist / f'tavrik-{version}-{zip_arch}.zip'
        entry = arch.get(name, {})
        check(entry.get('url', '').endswith('/' + zip_path.name) and re.match(URL, entry.get('url', '')),
              f'scoop: {name} url {entry.get("url")}')
        check(entry.get('hash') == hashlib.sha256(zip_path.read_bytes()).hexdigest(), f'scoop: {name} hash')
    check(m.get('bin') == 'tavrik.exe', 'scoop: bin')
    shortcuts = m.get('shortcuts', [])
    check(isinstance(shortcuts, list) and all(isinstance(s, list) and 2 <= len(s) <= 4 for s in shortcuts) and
          shortcuts and shortcuts[0][:2] == ['tavrik.exe', 'Tavrik'], f'scoop: shortcuts {shortcuts}')
    # The user's data must not depend on a hard link: the pages in a persisted folder named by SaveTo.
    check(m.get('persist') == ['pages', 'tavrik.ini'], f'scoop: persist {m.get("persist")}')
    script = '\n'.join(m.get('pre_install', []))
    check('Test-Path "$persist_dir\\tavrik.ini"' in script and 'SaveTo=$persist_dir\\pages' in script and
          '[Text.Encoding]::Unicode' in script, 'scoop: pre_install does not set SaveTo on the first install only')


def main():
    dist, version, key = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
    check_winget(dist, version, key, sys.argv[4:7])
    check_scoop(dist, version)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
