"""What Windows reads of tockbell.exe before it runs it: the manifest (resource 1 of type 24) and the
version resource, read back from the built program with pefile, every field checked.

    version_resources_test.py TOCKBELL_EXE VERSION
"""
import sys
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

RT_VERSION, RT_MANIFEST = 16, 24
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
}
COPYRIGHT = "(c) 2026, The Tockbell authors"  # the About page's copyright line

EXE = VERSION = None


def resources(pe, kind):
    """{id: bytes} of the resources of type kind, their first language each."""
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == kind:
            for name in entry.directory.entries:
                data = name.directory.entries[0].data.struct
                found[name.id] = pe.get_data(data.OffsetToData, data.Size)
    return found


def version_numbers(version):
    """The four numbers of a version such as "2.3", missing places as 0."""
    numbers = [int(part) for part in version.split(".")]
    return numbers + [0] * (4 - len(numbers))


class PeResources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXE)

    def manifest(self):
        manifests = resources(self.pe, RT_MANIFEST)
        self.assertEqual(list(manifests), [1], "one manifest, resource 1, which the loader takes for a program")
        return ElementTree.fromstring(manifests[1])

    def test_manifest(self):
        root = self.manifest()
        identity = root.find(ASM_V1 + "assemblyIdentity")
        self.assertEqual(identity.get("version"), ".".join(map(str, version_numbers(VERSION))))
        self.assertEqual(identity.get("type"), "win32")
        self.assertEqual(root.findtext(ASM_V1 + "description"), "Tockbell, a striking clock for the tray")

        levels = root.findall(f".//{ASM_V3}requestedExecutionLevel")
        self.assertEqual([(level.get("level"), level.get("uiAccess")) for level in levels], [("asInvoker", "false")])

        systems = root.findall(f"{COMPATIBILITY}compatibility/{COMPATIBILITY}application/{COMPATIBILITY}supportedOS")
        self.assertEqual({system.get("Id") for system in systems}, SUPPORTED_OS)
        self.assertEqual(len(systems), len(SUPPORTED_OS))

        settings = root.find(f"{ASM_V3}application/{ASM_V3}windowsSettings")
        self.assertIsNotNone(settings, "no windowsSettings")
        self.assertEqual(settings.findtext(SETTINGS_2005 + "dpiAware"), "true/pm")
        self.assertEqual(settings.findtext(SETTINGS_2016 + "dpiAwareness"), "PerMonitorV2")
        # The program keeps its 260-character paths: it must not claim longer ones.
        self.assertEqual([child.tag for child in settings if child.tag.endswith("longPathAware")], [])
        self.assertEqual(len(settings), 2, "only the two DPI settings")

    def test_common_controls(self):
        # The classic controls, for which the dialog and its artwork are drawn: no dependency on
        # version 6 of the common controls.
        dependencies = self.manifest().findall(f".//{ASM_V1}dependentAssembly/{ASM_V1}assemblyIdentity")
        self.assertEqual([d.get("name") for d in dependencies], [])

    def test_version_resource(self):
        self.assertEqual(list(resources(self.pe, RT_VERSION)), [1])
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        major, minor, patch, tweak = version_numbers(VERSION)
        for high, low in ((fixed.FileVersionMS, fixed.FileVersionLS), (fixed.ProductVersionMS, fixed.ProductVersionLS)):
            self.assertEqual((high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF), (major, minor, patch, tweak))
        self.assertEqual(fixed.FileType, 1, "VFT_APP")
        self.assertEqual(fixed.FileOS, 0x40004, "VOS_NT_WINDOWS32")
        self.assertEqual(fixed.FileFlags & fixed.FileFlagsMask, 0, "no debug, pre-release or patched build")

        tables = [table for info in self.pe.FileInfo[0] if info.Key == b"StringFileInfo" for table in info.StringTable]
        self.assertEqual([table.LangID for table in tables], [b"040904B0"], "one table, US English in Unicode")
        strings = {key.decode(): value.decode() for key, value in tables[0].entries.items()}
        self.assertEqual(strings, {
            "FileDescription": "Tockbell, a striking clock for the tray",
            "FileVersion": VERSION,
            "InternalName": "tockbell",
            "LegalCopyright": COPYRIGHT,
            "OriginalFilename": "tockbell.exe",
            "ProductName": "Tockbell",
            "ProductVersion": VERSION,
        })
        translations = [var.entry for info in self.pe.FileInfo[0] if info.Key == b"VarFileInfo" for var in info.Var]
        self.assertEqual(translations, [{b"Translation": "0x0409 0x04b0"}])


if __name__ == "__main__":
    EXE, VERSION = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
