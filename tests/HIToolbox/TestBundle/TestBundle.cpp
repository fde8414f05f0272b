// The executable of the toolbox test bundle; the tests use only the bundle's resources.
extern "C" int ToolboxTestBundleVersion() {
    return 1;
}
