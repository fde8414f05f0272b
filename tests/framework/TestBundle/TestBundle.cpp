// The executable of the panel test bundle; the tests use only the bundle's nib.
extern "C" int PanelTestBundleVersion() {
    return 1;
}
