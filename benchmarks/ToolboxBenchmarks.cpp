// Opening a nib window of 25 controls and finding every control by its ID.
#include <HIToolbox.h>

#include <CFRef.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int controlCount = 25;
const char* const signatures[] = {"bttn", "chck", "stxt", "edit", "popu"};
const char* const widgetClasses[] = {"QPushButton", "QCheckBox", "QLabel", "QLineEdit",
                                     "QComboBox"};

OSType fourCharCode(const char* text) {
    return (OSType(UInt8(text[0])) << 24) | (OSType(UInt8(text[1])) << 16) |
           (OSType(UInt8(text[2])) << 8) | OSType(UInt8(text[3]));
}

// A bundle in a temporary folder whose nib "Bench" holds the window "Window" with 25 controls,
// five of each kind, with the IDs (signature of the kind, 1...25).
class BenchBundle {
  public:
    BenchBundle() {
        const QDir contents(folder_.filePath("Bench.plugin/Contents"));
        contents.mkpath("Resources/Bench");
        write(contents.filePath("Info.plist"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
              "<key>CFBundleIdentifier</key><string>com.example.bench.toolbox</string>"
              "</dict></plist>\n");
        QString form = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">"
                       "<class>Window</class><widget class=\"QWidget\" name=\"Window\">";
        for (int i = 0; i < controlCount; ++i)
            form += QString("<widget class=\"%1\" name=\"%2_%3\"><property name=\"geometry\">"
                            "<rect><x>%4</x><y>%5</y><width>90</width><height>24</height>"
                            "</rect></property></widget>")
                        .arg(widgetClasses[i % 5], signatures[i % 5])
                        .arg(i + 1)
                        .arg(10 + (i % 5) * 100)
                        .arg(10 + (i / 5) * 30);
        write(contents.filePath("Resources/Bench/Window.ui"), form + "</widget></ui>\n");
        const QByteArray path = folder_.filePath("Bench.plugin").toUtf8();
        CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(path.constData()), path.size(), true));
        bundle_ = CFBundleCreate(nullptr, url.get());
    }

    CFBundleRef bundle() const { return bundle_; }

  private:
    static void write(const QString& path, const QString& text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
    }

    QTemporaryDir folder_;
    CFBundleRef bundle_ = nullptr;
};

void BM_OpenNibWindowAndFindEveryControl(benchmark::State& state) {
    BenchBundle bench;
    IBNibRef nib = nullptr;
    if (CreateNibReferenceWithCFBundle(bench.bundle(), CFSTR("Bench"), &nib) != noErr) {
        state.SkipWithError("the benchmark nib cannot be opened");
        return;
    }
    for (auto _ : state) {
        WindowRef window = nullptr;
        if (CreateWindowFromNib(nib, CFSTR("Window"), &window) != noErr) {
            state.SkipWithError("the benchmark window cannot be made");
            break;
        }
        for (int i = 0; i < controlCount; ++i) {
            const ControlID id{fourCharCode(signatures[i % 5]), i + 1};
            ControlRef control = nullptr;
            if (GetControlByID(window, &id, &control) != noErr)
                state.SkipWithError("a control was not found");
            benchmark::DoNotOptimize(control);
        }
        DisposeWindow(window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    DisposeNibReference(nib);
}
BENCHMARK(BM_OpenNibWindowAndFindEveryControl)->Unit(benchmark::kMillisecond);

} // namespace
