// Destinations and their string form: building the string from the parts,
// reading it back, the errors of strings that do not parse, validation and
// the hash that makes changes cheap to notice.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "logging/destination.h"

namespace {

using Configure = std::function<void(TLogWireDestination&)>;

TEST(DestinationString, NewDestinationIsEmptyWithHashZero) {
  TLogWireDestination destination(nullptr);
  EXPECT_EQ(destination.GetDestinationString(), "");
  EXPECT_EQ(destination.Hash(), 0u);
}

TEST(DestinationString, IsBuiltFromTheActivePartsInFixedOrder) {
  struct Case {
    const char* name;
    Configure configure;
    std::string expected;
  };
  const auto file = [](TLogWireDestination& d) {
    d.LogFile().SetActive(true);
    d.LogFile().SetFilePath("C:\\Prog\\");
    d.LogFile().SetFileName("Prog.csl");
  };
  const Case cases[] = {
      {"viewer", [](TLogWireDestination& d) { d.Viewer().SetActive(true); }, "Viewer"},
      {"viewer and file",
       [&](TLogWireDestination& d) {
         file(d);
         d.Viewer().SetActive(true);
       },
       "Viewer,File[Path=C:\\Prog\\Prog.csl]"},
      {"parts without size",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetMaxParts(5);
       },
       "File[Path=C:\\Prog\\Prog.csl]"},
      {"size and parts",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetMaxSize(100);
         d.LogFile().SetMaxParts(5);
       },
       "File[Path=C:\\Prog\\Prog.csl;MaxSize=100;MaxParts=5]"},
      {"by date, default format in any case",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetLogByDate(true);
         d.LogFile().SetLogByDateFormat("YYYYmmdd");
       },
       "File[Path=C:\\Prog\\Prog.csl;LogByDate=true]"},
      {"by date, own format",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetLogByDate(true);
         d.LogFile().SetLogByDateFormat("yyyy-mm");
       },
       "File[Path=C:\\Prog\\Prog.csl;LogByDate=true;LogByDateFormat=yyyy-mm]"},
      {"format without by date",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetLogByDateFormat("yyyy-mm");
       },
       "File[Path=C:\\Prog\\Prog.csl]"},
      {"path without trailing backslash",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetFilePath("D:\\Logs");
       },
       "File[Path=D:\\Logs\\Prog.csl]"},
      {"tcp defaults", [](TLogWireDestination& d) { d.TCP().SetActive(true); },
       "TCP[Host=localhost;Port=3434;RemoteDestinationDetails=Viewer]"},
      {"udp without remote destination",
       [](TLogWireDestination& d) {
         d.UDP().SetActive(true);
         d.UDP().SetRemoteDestinationString("");
       },
       "UDP[Host=localhost;Port=3435]"},
      {"http without proxy",
       [](TLogWireDestination& d) {
         d.HTTP().SetActive(true);
         d.HTTP().SetURL("http://logs/in");
       },
       "HTTP[URL=http://logs/in;Alias=]"},
      {"http with proxy, no user",
       [](TLogWireDestination& d) {
         d.HTTP().SetActive(true);
         d.HTTP().SetURL("u");
         d.HTTP().SetAlias("a");
         d.HTTP().SetProxyServer("proxy");
         d.HTTP().SetProxyPort(8080);
         d.HTTP().SetProxyPassword("pw");
       },
       "HTTP[URL=u;Alias=a;ProxyServer=proxy;ProxyPort=8080;ProxyPassword=pw]"},
      {"http credentials only with a proxy",
       [](TLogWireDestination& d) {
         d.HTTP().SetActive(true);
         d.HTTP().SetURL("u");
         d.HTTP().SetProxyUsername("me");
       },
       "HTTP[URL=u;Alias=]"},
      {"alias",
       [](TLogWireDestination& d) {
         d.Alias().SetActive(true);
         d.Alias().SetName("Zentral");
       },
       "Alias[Name=Zentral]"},
      {"everything, additional last",
       [&](TLogWireDestination& d) {
         d.SetAdditional("File[Path=D:\\b.csl]");
         d.Alias().SetActive(true);
         d.Alias().SetName("n");
         d.HTTP().SetActive(true);
         d.HTTP().SetURL("u");
         d.UDP().SetActive(true);
         d.TCP().SetActive(true);
         file(d);
         d.Viewer().SetActive(true);
       },
       "Viewer,File[Path=C:\\Prog\\Prog.csl],TCP[Host=localhost;Port=3434;RemoteDestinationDetails=Viewer],"
       "UDP[Host=localhost;Port=3435;RemoteDestinationDetails=Viewer],HTTP[URL=u;Alias=],Alias[Name=n],"
       "File[Path=D:\\b.csl]"},
      {"inactive parts contribute nothing",
       [&](TLogWireDestination& d) {
         file(d);
         d.LogFile().SetActive(false);
         d.Alias().SetName("n");
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLogWireDestination destination(nullptr);
    c.configure(destination);
    EXPECT_EQ(destination.GetDestinationString(), c.expected);
    EXPECT_EQ(destination.Hash(), TLogWireDestination::HashText(c.expected));
  }
}

TEST(DestinationString, ParsingSetsThePartsAndReadsBackTheSameString) {
  struct Case {
    std::string text;
    std::string expected;
    // Whether the expected string reads back as itself. An emptied remote
    // destination is left out of the string and reads back as the default.
    bool reads_back = true;
  };
  const Case cases[] = {
      {"Viewer", "Viewer"},
      {"", ""},
      {"Viewer[whatever;stands=here]", "Viewer"},
      {" Viewer , alias[Name=x]", "Viewer,Alias[Name=x]"},
      {"tcp[host=logs;port=5000]", "TCP[Host=logs;Port=5000;RemoteDestinationDetails=Viewer]"},
      {"UDP[Port=0x10;Host=h;RemoteDestinationDetails=]", "UDP[Host=h;Port=16]", false},
      {"File[Path=C:\\a\\b.csl;MaxSize=abc;MaxParts=3;LogByDate=yes]", "File[Path=C:\\a\\b.csl]"},
      {"File[Path=C:\\a\\b.csl;MaxSize=10;MaxParts=3;LogByDate=True;LogByDateFormat=yyyy]",
       "File[Path=C:\\a\\b.csl;MaxSize=10;MaxParts=3;LogByDate=true;LogByDateFormat=yyyy]"},
      {"File[Path=C:\\a\\b.csl;]", "File[Path=C:\\a\\b.csl]"},
      {"Alias[Name=a;Name=b]", "Alias[Name=a]"},
      {"Alias[name=a;NAME=b]", "Alias[Name=a]"},
      {"HTTP[url=u;PROXYSERVER=p;proxyport=81;ProxyUsername=me]",
       "HTTP[URL=u;Alias=;ProxyServer=p;ProxyPort=81;ProxyUsername=me]"},
      {"TCP[Host=h;Port=1;RemoteDestinationDetails=File[Path=c:\\x.csl;MaxSize=5]]",
       "TCP[Host=h;Port=1;RemoteDestinationDetails=File[Path=c:\\x.csl;MaxSize=5]]"},
      {"Viewer,File[Path=C:\\Prog\\Prog.csl],File[Path=D:\\b.csl;MaxSize=3]",
       "Viewer,File[Path=C:\\Prog\\Prog.csl],File[Path=D:\\b.csl;MaxSize=3]"},
      {"Viewer,", "Viewer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TLogWireDestination destination(nullptr);
    destination.SetDestinationString(c.text);
    EXPECT_EQ(destination.GetDestinationString(), c.expected);
    EXPECT_EQ(destination.Hash(), TLogWireDestination::HashText(c.expected));
    if (!c.reads_back)
      continue;
    TLogWireDestination again(nullptr);
    again.SetDestinationString(c.expected);
    EXPECT_EQ(again.GetDestinationString(), c.expected);
  }
}

TEST(DestinationString, ParsedValuesReachTheParts) {
  TLogWireDestination destination(nullptr);
  destination.SetDestinationString(
      "tcp[host=logs;port=5000],File[Path=C:\\Prog\\Sub\\Prog.csl;MaxSize=7],"
      "TCP[Host=other;Port=1],Http[URL=u;Alias=A]");
  EXPECT_TRUE(destination.TCP().Active());
  EXPECT_EQ(destination.TCP().Host(), "logs");
  EXPECT_EQ(destination.TCP().Port(), 5000);
  EXPECT_EQ(destination.LogFile().FilePath(), "C:\\Prog\\Sub\\");
  EXPECT_EQ(destination.LogFile().FileName(), "Prog.csl");
  EXPECT_EQ(destination.LogFile().MaxSize(), 7);
  EXPECT_EQ(destination.HTTP().Alias(), "A");
  // The second TCP part is kept as it was written, with its options.
  EXPECT_EQ(destination.Additional(), "TCP[Host=other;Port=1]");
  EXPECT_FALSE(destination.Viewer().Active());
}

TEST(DestinationString, ParsingStartsFromTheSettingsOfANewDestination) {
  TLogWireDestination destination(nullptr);
  destination.Viewer().SetActive(true);
  destination.LogFile().SetActive(true);
  destination.LogFile().SetFileName("old.csl");
  destination.SetAdditional("Alias[Name=x]");
  destination.SetDestinationString("UDP[Host=h]");
  EXPECT_EQ(destination.GetDestinationString(), "UDP[Host=h;Port=3435;RemoteDestinationDetails=Viewer]");
  EXPECT_EQ(destination.LogFile().FileName(), "");
  EXPECT_EQ(destination.Additional(), "");
}

TEST(DestinationString, ManyPartsOfOneKindAllLandInAdditional) {
  constexpr int kParts = 20000;
  std::string text = "Viewer";
  std::string expected_additional;
  for (int i = 0; i < kParts; ++i) {
    const std::string part = "File[Path=C:\\L\\" + std::to_string(i) + ".csl;MaxSize=1;MaxSize=2]";
    text += "," + part;
    if (i > 0)
      expected_additional += (expected_additional.empty() ? "" : ",") + part;
  }
  TLogWireDestination destination(nullptr);
  destination.SetDestinationString(text);
  EXPECT_EQ(destination.LogFile().FileName(), "0.csl");
  EXPECT_EQ(destination.LogFile().MaxSize(), 1);
  EXPECT_EQ(destination.Additional(), expected_additional);
  EXPECT_EQ(destination.GetDestinationString(), "Viewer,File[Path=C:\\L\\0.csl;MaxSize=1]," + expected_additional);
}

TEST(DestinationString, StringsThatDoNotParseRaiseWithTheirMessage) {
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"Printer", "Invalid Destination Type -- Printer is not recognized"},
      {"Viewer,Printer[Name=x]", "Invalid Destination Type -- Printer is not recognized"},
      {"Viewer,,Viewer", "Invalid Destination Type --  is not recognized"},
      {"File[Paths=C:\\a.csl]", "Invalid File Destination Option -- unknown Paths parameter"},
      {"File[Path=C:\\a.csl;Size]", "Invalid File Destination Option -- unknown Size parameter"},
      {"TCP[Hostname=x]", "Invalid TCP Destination Option -- unknown Hostname parameter"},
      {"udp[Port=1;Url=x]", "Invalid UDP Destination Option -- unknown Url parameter"},
      {"HTTP[Proxy=p]", "Invalid HTTP Destination Option -- unknown Proxy parameter"},
      {"Alias[Names=x]", "Invalid Alias Destination Option -- unknown Names parameter"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TLogWireDestination destination(nullptr);
    try {
      destination.SetDestinationString(c.text);
      ADD_FAILURE() << "no exception";
    } catch (const ELogWireInvalidDestination& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
  }
}

TEST(DestinationString, PartsReadBeforeAnErrorStayAndTheHashIsRecomputed) {
  TLogWireDestination destination(nullptr);
  EXPECT_THROW(destination.SetDestinationString("Viewer,Alias[Name=n],Printer,TCP[Host=h]"),
               ELogWireInvalidDestination);
  EXPECT_EQ(destination.GetDestinationString(), "Viewer,Alias[Name=n]");
  EXPECT_EQ(destination.Hash(), TLogWireDestination::HashText("Viewer,Alias[Name=n]"));
  // The bracket was closed: later changes update the hash again.
  destination.Viewer().SetActive(false);
  EXPECT_EQ(destination.Hash(), TLogWireDestination::HashText("Alias[Name=n]"));
}

TEST(DestinationString, NextPartSplitsOffOnePartAtATime) {
  std::string text = " File [Path=a[1];x=[b,c]],Viewer[,]";
  std::string options;
  std::string type_name;
  TLogWireDestination::NextPart(text, options, type_name);
  EXPECT_EQ(type_name, "File");
  EXPECT_EQ(options, "Path=a[1];x=[b,c]");
  EXPECT_EQ(text, "Viewer[,]");
  TLogWireDestination::NextPart(text, options, type_name);
  EXPECT_EQ(type_name, "Viewer");
  EXPECT_EQ(options, ",");
  EXPECT_EQ(text, "");
}

TEST(DestinationString, TypeIndexIgnoresLetterCase) {
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("viewer"), 0);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("FILE"), 1);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("TCP"), 2);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("Udp"), 3);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("http"), 4);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("Alias"), 5);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex("Files"), 6);
  EXPECT_EQ(TLogWireDestination::GetTypeIndex(""), 6);
}

TEST(DestinationValidation, ActivePartsLackingARequiredSettingRaise) {
  struct Case {
    const char* name;
    Configure configure;
    std::string message;
  };
  const Case cases[] = {
      {"file without name", [](TLogWireDestination& d) { d.LogFile().SetActive(true); },
       "Invalid File Destination -- missing or incorrect FileName parameter"},
      {"tcp without host",
       [](TLogWireDestination& d) {
         d.TCP().SetActive(true);
         d.TCP().SetHost("");
       },
       "Invalid TCP Destination -- missing or incorrect Host parameter"},
      {"udp without host",
       [](TLogWireDestination& d) {
         d.UDP().SetActive(true);
         d.UDP().SetHost("");
       },
       "Invalid UDP Destination -- missing or incorrect Host parameter"},
      {"http without url", [](TLogWireDestination& d) { d.HTTP().SetActive(true); },
       "Invalid HTTP Destination -- missing or incorrect URL parameter"},
      {"http proxy without port",
       [](TLogWireDestination& d) {
         d.HTTP().SetActive(true);
         d.HTTP().SetURL("u");
         d.HTTP().SetProxyServer("p");
       },
       "Invalid HTTP Destination -- missing or incorrect ProxyPort parameter"},
      {"alias without name", [](TLogWireDestination& d) { d.Alias().SetActive(true); },
       "Invalid Alias Destination -- missing or incorrect Name parameter"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLogWireDestination destination(nullptr);
    c.configure(destination);
    try {
      destination.ValidateAll();
      ADD_FAILURE() << "no exception";
    } catch (const ELogWireInvalidDestination& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
  }
}

TEST(DestinationValidation, InactivePartsAreNotChecked) {
  TLogWireDestination destination(nullptr);
  destination.TCP().SetHost("");
  destination.Viewer().SetActive(true);
  EXPECT_NO_THROW(destination.ValidateAll());
}

TEST(DestinationValidation, HttpAliasDefaultsWithoutAChangeReport) {
  TLogWireDestination destination(nullptr);
  destination.HTTP().SetActive(true);
  destination.HTTP().SetURL("u");
  const uint32_t hash = destination.Hash();
  destination.ValidateAll();
  EXPECT_EQ(destination.HTTP().Alias(), "Default");
  EXPECT_EQ(destination.GetDestinationString(), "HTTP[URL=u;Alias=Default]");
  EXPECT_EQ(destination.Hash(), hash);
}

TEST(DestinationHash, ShortTextsUseEveryCharacterWithFactor37) {
  const std::string text = "Viewer,Alias[N]";  // 15 characters
  ASSERT_EQ(text.size(), 15u);
  uint32_t expected = 0;
  for (char c : text)
    expected = expected * 37 + static_cast<uint8_t>(c);
  EXPECT_EQ(TLogWireDestination::HashText(text), expected);
  EXPECT_EQ(TLogWireDestination::HashText(""), 0u);
}

TEST(DestinationHash, LongTextsSampleEveryStepthCharacterWithFactor39) {
  struct Case {
    size_t length;
    std::vector<size_t> positions;  // 1-based, as sampled
  };
  const Case cases[] = {
      {16, {1, 3, 5, 7, 9, 11, 13, 15}},
      {100, {1, 13, 25, 37, 49, 61, 73, 85, 97}},
      {17, {1, 3, 5, 7, 9, 11, 13, 15, 17}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    std::string text;
    for (size_t i = 0; i < c.length; ++i)
      text += static_cast<char>(0xA0 + (i * 7) % 90);  // bytes above 127 count unsigned
    uint32_t expected = 0;
    for (size_t position : c.positions)
      expected = expected * 39 + static_cast<uint8_t>(text[position - 1]);
    EXPECT_EQ(TLogWireDestination::HashText(text), expected);
    // A character between the samples does not change the hash.
    std::string unsampled = text;
    unsampled[1] = 'x';
    EXPECT_EQ(TLogWireDestination::HashText(unsampled), expected);
  }
}

TEST(DestinationHash, AnUpdateBracketComputesTheHashOnceAtItsEnd) {
  TLogWireDestination destination(nullptr);
  destination.BeginUpdate();
  destination.Viewer().SetActive(true);
  destination.Alias().SetActive(true);
  destination.Alias().SetName("n");
  EXPECT_EQ(destination.Hash(), 0u);
  destination.EndUpdate();
  EXPECT_EQ(destination.Hash(), TLogWireDestination::HashText("Viewer,Alias[Name=n]"));
}

TEST(DestinationHash, AnEndUpdateTooManyDoesNotStopTheHash) {
  TLogWireDestination destination(nullptr);
  destination.EndUpdate();
  destination.Viewer().SetActive(true);
  EXPECT_EQ(destination.Hash(), TLogWireDestination::HashText("Viewer"));
}

TEST(DestinationCopy, CopiesEveryPartAndAdditional) {
  TLogWireDestination source(nullptr);
  source.SetDestinationString(
      "Viewer,File[Path=C:\\x\\y.csl;MaxSize=9;MaxParts=2;LogByDate=true;LogByDateFormat=yy],"
      "TCP[Host=t;Port=7;RemoteDestinationDetails=Viewer],UDP[Host=u;Port=8],"
      "HTTP[URL=h;Alias=a;ProxyServer=p;ProxyPort=3;ProxyUsername=n;ProxyPassword=w],Alias[Name=z],Alias[Name=q]");
  TLogWireDestination copy(nullptr);
  copy.LogFile().SetActive(true);  // overwritten by the copy
  copy.CopyFrom(source);
  EXPECT_EQ(copy.GetDestinationString(), source.GetDestinationString());
  EXPECT_EQ(copy.Hash(), source.Hash());

  TLogWireDestination assigned(nullptr);
  assigned.Assign(&source);
  EXPECT_EQ(assigned.GetDestinationString(), source.GetDestinationString());
}

TEST(DestinationCopy, AssigningAPartCopiesItsSettingsIntoTheOwnedOne) {
  TLogWireDestination source(nullptr);
  source.LogFile().SetActive(true);
  source.LogFile().SetFilePath("C:\\L\\");
  source.LogFile().SetFileName("n.csl");
  TLogWireDestination target(nullptr);
  target.SetLogFile(source.LogFile());
  EXPECT_NE(&target.LogFile(), &source.LogFile());
  EXPECT_EQ(target.GetDestinationString(), "File[Path=C:\\L\\n.csl]");
  EXPECT_EQ(target.Hash(), TLogWireDestination::HashText("File[Path=C:\\L\\n.csl]"));
}

}  // namespace
