// Printers on the network against a real avahi-daemon in the test's own namespace (run by
// tests/avahi-namespace.sh): listed by the library and the program, sent to by their dnssd://
// names, and hostile announcements kept harmless.
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/AvahiNamespace.h"
#include "tests/Endpoints.h"
#include "tests/PortsDialogFixture.h"
#include "ui/ports/NetworkPrinterDialog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <chrono>
#include <gtest/gtest.h>

namespace {

const std::string kRawType = "_pdl-datastream._tcp";

struct Outcome {
    int exitCode;
    QString out;
    QString err;
};

class NetworkPrinters : public ::testing::Test {
protected:
    void SetUp() override {
        if (AvahiNamespaceDir() == nullptr) {
            GTEST_SKIP() << "runs inside tests/avahi-namespace.sh";
        }
        m_environment.UnsetPorts();
        m_environment.Set("XDG_CONFIG_HOME", (m_dir.path() / "config").string());
        m_environment.Set("CUPS_SERVER", "127.0.0.1:9"); // refused at once inside the namespace
    }

    static Outcome Trovanel(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(TROVANEL_PROGRAM), arguments);
        process.waitForFinished(-1);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // `ports --json`, gathering for at most `gatherMs`.
    static QJsonObject Listing(int gatherMs = 1500) {
        const Outcome listed =
            Trovanel({"ports", "--json", "--timeout", QString::number(gatherMs)});
        return QJsonDocument::fromJson(listed.out.toUtf8()).object();
    }

    static QJsonObject Device(const QString& uri, const QJsonObject& all = Listing()) {
        for (const QJsonValue device : all["devices"].toArray()) {
            if (device["uri"].toString() == uri) {
                return device.toObject();
            }
        }
        return {};
    }

    static std::string Send(const std::string& uri) {
        const Bytes block = TrickyBlock();
        return OutPortToUri(uri.c_str(), static_cast<int>(block.size()), block.data()) == 1
                   ? std::string()
                   : OutPortLastError();
    }

    ScopedEnvironment m_environment;
    WorkDirectory m_dir;
};

TEST_F(NetworkPrinters, RawPrinterIsListedWithItsDescriptionInTextAndJson) {
    const Publication host({"-a", "-R", "printer-one.local", "169.254.77.1"});
    const Publication printer({"-s", "-H", "printer-one.local", "Label One", kRawType, "9100",
                               "usb_MFG=Acme", "usb_MDL=LP-2824", "note=front desk"});
    ASSERT_TRUE(host.Established() && printer.Established());
    const QString uri = "dnssd://Label%20One._pdl-datastream._tcp.local/";

    const QJsonObject device = Device(uri);
    EXPECT_EQ(device["kind"], "network");
    EXPECT_EQ(device["node"], "Label One");
    EXPECT_EQ(device["description"], "Acme LP-2824 — front desk");
    EXPECT_EQ(device["host"], "printer-one.local");
    EXPECT_EQ(device["address"], "169.254.77.1");
    EXPECT_EQ(device["port"], 9100);
    EXPECT_EQ(device["service_type"], QString::fromStdString(kRawType));
    EXPECT_EQ(device["printer_state"], "unknown");
    EXPECT_EQ(device["usable"], true);

    const Outcome text = Trovanel({"ports"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("  Label One (network): Acme LP-2824 — front desk\n"
                                  "        " +
                                  uri +
                                  "\n"
                                  "        at printer-one.local, 169.254.77.1 port 9100 "
                                  "(_pdl-datastream._tcp)\n"
                                  "        printer: status not reported by this connection\n"))
        << text.out.toStdString();
}

TEST_F(NetworkPrinters, SendThroughItsNameArrivesAndFollowsTheNextAddress) {
    const std::string uri = "dnssd://Label%20Two._pdl-datastream._tcp.local/";
    {
        const AddressListener port("169.254.77.3", 9100);
        const Publication host({"-a", "-R", "printer-two.local", "169.254.77.3"});
        const Publication printer({"-s", "-H", "printer-two.local", "Label Two", kRawType, "9100"});
        ASSERT_TRUE(port.Listening() && printer.Established());
        EXPECT_EQ(Send(uri), "");
        EXPECT_EQ(port.Received(), TrickyBlock());
    }
    // The same printer after DHCP gave it another address.
    const AddressListener port("169.254.77.4", 9100);
    const Publication host({"-a", "-R", "printer-two-new.local", "169.254.77.4"});
    const Publication printer({"-s", "-H", "printer-two-new.local", "Label Two", kRawType, "9100"});
    ASSERT_TRUE(port.Listening() && printer.Established());
    EXPECT_EQ(Send(uri), "");
    EXPECT_EQ(port.Received(), TrickyBlock());
    // One that is not there is named in the reason.
    m_environment.Set("OUTPORT_TIMEOUT_MS", "700");
    EXPECT_EQ(Send("dnssd://Nobody._pdl-datastream._tcp.local/"),
              "dnssd://Nobody._pdl-datastream._tcp.local/: no printer \"Nobody\" "
              "(_pdl-datastream._tcp) answered on the network within 700 ms");
}

TEST_F(NetworkPrinters, IppPrinterIsListedWithItsResource) {
    const Publication printer({"-s", "Label Three", "_ipp._tcp", "631", "rp=ipp/print",
                               "ty=Acme LP-2824 IPP", "product=(ignored)"});
    ASSERT_TRUE(printer.Established());
    const QJsonObject device = Device("dnssd://Label%20Three._ipp._tcp.local/");
    EXPECT_EQ(device["description"], "Acme LP-2824 IPP");
    EXPECT_EQ(device["resource"], "/ipp/print");
    EXPECT_EQ(device["port"], 631);
    EXPECT_EQ(device["usable"], true);
}

TEST_F(NetworkPrinters, NoDaemonIsOneLineAndNoFailure) {
    const std::string dir = AvahiNamespaceDir();
    for (const std::string& bus :
         {"unix:path=" + dir + "/bare-bus", "unix:path=" + dir + "/none"}) {
        m_environment.Set("DBUS_SYSTEM_BUS_ADDRESS", bus);
        const auto start = std::chrono::steady_clock::now();
        const Outcome text = Trovanel({"ports", "--timeout", "20000"});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << bus;
        EXPECT_EQ(text.exitCode, 0) << bus;
        EXPECT_EQ(text.out.count("network printers: avahi-daemon is not running\n"), 1) << bus;
        const Outcome json = Trovanel({"ports", "--json"});
        EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8())["network_printers_problem"],
                  "avahi-daemon is not running")
            << bus;
    }
}

TEST_F(NetworkPrinters, HostileAnnouncementsAreEscapedBoundedAndListedUnusable) {
    const std::string evil = "Evil\x1b]0;owned\x07\xe2\x80\xae";
    const std::string longNote(240, 'M'); // a TXT string holds 255 bytes
    const Publication hostile(
        {"-s", evil, kRawType, "9100", "ty=\x1b[2Jcleared\nforged line", "note=" + longNote});
    const Publication zeroPort({"-s", "Zero Port", kRawType, "0"});
    const Publication unresolved({"-s", "-H", "nowhere.local", "Nowhere", kRawType, "9100"});
    ASSERT_TRUE(hostile.Established() && zeroPort.Established() && unresolved.Established());

    // Nowhere never resolves, so each listing takes its whole time.
    const Outcome text = Trovanel({"ports", "--timeout", "700"});
    EXPECT_FALSE(text.out.contains(QChar(0x1B)) || text.out.contains(QChar(0x202E)));
    EXPECT_TRUE(text.out.contains("Evil\\x1b]0;owned\\x07\\u202e (network): \\x1b[2Jcleared\\x0a"
                                  "forged line — MMM"))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("  Zero Port (network): Zero Port\n"));
    EXPECT_TRUE(text.out.contains("        cannot be used: it announces port 0\n"));

    const QJsonObject listing = Listing(700);
    const QJsonObject device = Device(
        QString::fromStdString("dnssd://Evil%1B%5D0%3Bowned%07%E2%80%AE." + kRawType + ".local/"),
        listing);
    EXPECT_EQ(device["node"], QString::fromStdString(evil));
    EXPECT_LT(device["description"].toString().size(), 160); // the TXT value is cut
    const QJsonObject nowhere = Device("dnssd://Nowhere._pdl-datastream._tcp.local/", listing);
    EXPECT_EQ(nowhere["usable"], false);
    EXPECT_EQ(nowhere["problem"], "it did not resolve within 700 ms");
}

// The Ports dialog looks on a worker and again while it is open.
class NetworkPrintersDialog : public PortsDialogFixture {
protected:
    void SetUp() override {
        if (AvahiNamespaceDir() == nullptr) {
            GTEST_SKIP() << "runs inside tests/avahi-namespace.sh";
        }
    }
};

TEST_F(NetworkPrintersDialog, OffersPrintersAsTheyComeAndGo) {
    Open();
    auto printer = std::make_unique<Publication>(
        std::vector<std::string>{"-s", "Label Four", kRawType, "9100", "ty=Acme <b>LP</b>"});
    ASSERT_TRUE(printer->Established());
    const QString uri = "dnssd://Label%20Four._pdl-datastream._tcp.local/";
    EXPECT_TRUE(QTest::qWaitFor([&] { return Box("COM1")->findData(uri) >= 0; }, 10000));

    m_answerPrompt = [](QDialog& prompt) {
        ASSERT_NE(qobject_cast<CNetworkPrinterDialog*>(&prompt), nullptr);
        auto* found = prompt.findChild<QListWidget*>();
        const QList<QListWidgetItem*> items = found->findItems("Label Four", Qt::MatchContains);
        ASSERT_EQ(items.size(), 1);
        EXPECT_EQ(items[0]->text(), "Acme <b>LP</b> (Label Four)"); // plain text, never markup
        QTest::mouseClick(found->viewport(), Qt::LeftButton, {},
                          found->visualItemRect(items[0]).center());
        QTest::keyClick(found, Qt::Key_Return);
    };
    Pick("LPT1", "Network printer\u2026");
    EXPECT_EQ(Box("LPT1")->currentText(), uri);
    EXPECT_EQ(Status("LPT1"), "ready");

    printer.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Box("COM1")->findData(uri) < 0; }, 10000));
}

} // namespace
