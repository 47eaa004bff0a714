#include "printers/communicator.h"

#include <gtest/gtest.h>

#include "printers/report_helpers.h"

namespace {

// A report component as the report code derives them, with a published
// scripting name.
class TprLabel : public TprCommunicator {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TprLabel>();
    p.String("UserName", &TprLabel::GetUserName, &TprLabel::SetUserName);
  }
  static constexpr TClass kClass{"TprLabel", &TprCommunicator::kClass, &ConstructInstance<TprLabel>,
                                 &TprLabel::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TprLabel(TComponent* owner) : TprCommunicator(owner) {}

  void DesignStateChanged(uint16_t bits) override { changed_bits.push_back(bits); }
  std::vector<uint16_t> changed_bits;
};

class TprShape : public TprCommunicator {
 public:
  static constexpr TClass kClass{"TprShape", &TprCommunicator::kClass, &ConstructInstance<TprShape>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TprShape(TComponent* owner) : TprCommunicator(owner) {}
};

TEST(Communicator, DefaultUserNameDropsTheLibraryPrefix) {
  TComponent owner(nullptr);
  auto* label = new TprLabel(&owner);
  label->SetName("prLabel1");
  EXPECT_EQ(label->GetDefaultUserName(), "Label1");
  EXPECT_EQ(label->GetUserName(), "Label1");  // the user name followed the name
  auto* other = new TprLabel(&owner);
  other->SetName("Caption");
  EXPECT_EQ(other->GetUserName(), "Caption");
  label->SetName("prHeading");
  EXPECT_EQ(label->GetUserName(), "Heading");
  label->SetUserName("Fixed");
  label->SetName("prFooter");  // the user name no longer follows
  EXPECT_EQ(label->GetUserName(), "Fixed");
}

TEST(Communicator, UserNamesStayUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* first = new TprLabel(&owner);
  first->SetUserName("Label");
  auto* fifth = new TprLabel(&owner);
  fifth->SetUserName("Label5");
  auto* label = new TprLabel(&owner);
  label->SetUserName("Start");

  label->SetUserName("a b");  // not an identifier
  EXPECT_EQ(label->GetUserName(), "Start");
  label->SetUserName("label");  // used: the first free numbered one
  EXPECT_EQ(label->GetUserName(), "label1");
  auto* another = new TprLabel(&owner);
  another->SetUserName("Label");
  EXPECT_EQ(another->GetUserName(), "Label2");
  another->SetUserName("Label5");  // used and ends in a digit: unchanged
  EXPECT_EQ(another->GetUserName(), "Label2");
  another->SetUserName("Label2");  // its own name
  EXPECT_EQ(another->GetUserName(), "Label2");
  EXPECT_EQ(label->FindUserName("LABEL5"), fifth);
  EXPECT_TRUE(label->IsValidUserName("label1"));
  EXPECT_FALSE(label->IsValidUserName("Label5"));
}

TEST(Communicator, LoadedGivesAnEmptyUserNameItsDefault) {
  TComponent owner(nullptr);
  auto* label = new TprLabel(&owner);
  label->BeginLoading();
  label->SetName("prTitle");
  EXPECT_EQ(label->GetUserName(), "");
  label->EndReading();
  label->Loaded();
  EXPECT_EQ(label->GetUserName(), "Title");

  // Without a published UserName nothing is set on loading.
  auto* shape = new TprShape(&owner);
  shape->Loaded();
  EXPECT_EQ(shape->GetUserName(), "");
}

TEST(Communicator, UniqueNamesCountPerClass) {
  TComponent owner(nullptr);
  for (const char* name : {"Label1", "Label2", "Label4", "Label_x", "Labelx1"})
    (new TprLabel(&owner))->SetName(name);
  (new TprShape(&owner))->SetName("Label3");  // another class: does not count
  auto* label = new TprLabel(&owner);
  EXPECT_EQ(prUniqueComponentNumber(&owner, "Label", *label), "Label3");
  EXPECT_EQ(label->GetUniqueUserName(*label, ""), "Label3");
  EXPECT_EQ(label->GetUniqueComponentName(), "prLabel1");
  EXPECT_EQ(prUniqueComponentNumber(nullptr, "Label", *label), "Label");
  EXPECT_EQ(prClassNameStem1(*label), "prLabel");
  EXPECT_EQ(prClassNameStem3(*label), "Label");
}

TEST(Communicator, ListenersHearRenamesAndRemovals) {
  TComponent owner(nullptr);
  auto* source = new TprLabel(&owner);
  auto* first = new TprLabel(&owner);
  auto* second = new TprLabel(&owner);
  std::vector<std::string> heard;
  for (TprLabel* listener : {first, second}) {
    source->AddNotify(listener);
    listener->OnNotify = [&heard, listener](TObject*, TprCommunicator*, int32_t operation) {
      heard.push_back((listener->Name().empty() ? "?" : listener->Name()) + ":" + std::to_string(operation));
    };
  }
  first->SetName("One");
  second->SetName("Two");
  source->SetUserName("Renamed");
  EXPECT_EQ(heard, (std::vector<std::string>{"One:3", "Two:3"}));

  heard.clear();
  delete second;  // a listener that goes first leaves the list
  EXPECT_EQ(source->NotifyList().size(), 1u);
  delete source;
  EXPECT_EQ(heard, (std::vector<std::string>{"One:0"}));
}

TEST(Communicator, EventsReachTheListenersOfTheirId) {
  TComponent owner(nullptr);
  auto* source = new TprShape(&owner);
  std::vector<std::string> heard;
  std::vector<TprShape*> listeners;
  for (const char* name : {"A", "B", "C"}) {
    auto* listener = new TprShape(&owner);
    listener->SetName(name);
    listener->EventSet().set(5);
    listener->EventSet().set(255);
    listener->OnEventNotify = [&heard, listener](TObject*, TprCommunicator*, int32_t id, const Variant&) {
      heard.push_back(listener->Name() + std::to_string(id));
    };
    source->AddEventNotify(listener);
    listeners.push_back(listener);
  }
  listeners[1]->EventSet().reset(5);
  source->SendEventNotify(source, 5, Variant(1));
  EXPECT_EQ(heard, (std::vector<std::string>{"A5", "C5"}));

  heard.clear();
  source->SendEventNotify(source, 256, Variant());
  source->SendEventNotify(source, -1, Variant());
  EXPECT_TRUE(heard.empty());

  // A listener that leaves the list while it hears does not make the walk
  // skip the next one.
  heard.clear();
  listeners[0]->OnEventNotify = [&heard, source, first = listeners[0]](TObject*, TprCommunicator*, int32_t id,
                                                                       const Variant&) {
    heard.push_back("A" + std::to_string(id));
    source->RemoveEventNotify(first);
  };
  source->SendEventNotify(source, 255, Variant());
  EXPECT_EQ(heard, (std::vector<std::string>{"A255", "B255", "C255"}));
}

TEST(Communicator, RenameBroadcastsItsEvent) {
  TComponent owner(nullptr);
  auto* source = new TprShape(&owner);
  auto* listener = new TprShape(&owner);
  listener->EventSet().set(kprEventNameChanged);
  int heard = 0;
  listener->OnEventNotify = [&heard, source](TObject*, TprCommunicator* from, int32_t id, const Variant&) {
    heard += from == source && id == kprEventNameChanged;
  };
  source->AddEventNotify(listener);
  source->SetName("prShape1");
  EXPECT_EQ(heard, 1);
  source->AddDesignState(kprDesignStateKeepUserName);
  source->SetName("prShape2");
  EXPECT_EQ(heard, 1);
}

TEST(Communicator, DesignStateChangesAreReportedOnce) {
  TprLabel label(nullptr);
  label.AddDesignState(0x01);
  label.AddDesignState(0x01);
  label.AddDesignState(0x06);
  label.RemoveDesignState(0x08);
  label.RemoveDesignState(0x02);
  EXPECT_EQ(label.DesignState(), 0x05);
  EXPECT_EQ(label.changed_bits, (std::vector<uint16_t>{0x01, 0x06, 0x02}));
}

TEST(Communicator, ChangeOwnerKeepsUserNamesUnique) {
  TComponent first_owner(nullptr);
  TComponent second_owner(nullptr);
  auto* moving = new TprLabel(&first_owner);
  moving->SetUserName("Total");
  auto* resident = new TprLabel(&second_owner);
  resident->SetUserName("Total");
  moving->ChangeOwner(&second_owner);
  EXPECT_EQ(moving->Owner(), &second_owner);
  EXPECT_EQ(first_owner.ComponentCount(), 0);
  EXPECT_EQ(moving->GetUserName(), "Total1");
}

class TRecordingDesigner : public TObject, public IprComponentDesigner {
 public:
  void Refresh() override { calls.push_back("refresh"); }
  void Modified() override { calls.push_back("modified"); }
  void ComponentMessage(const std::string& text, TprCommunicator*) override { calls.push_back(text); }
  void PropertyChanged(int32_t what, int32_t, int32_t) override { calls.push_back(std::to_string(what)); }
  std::vector<std::string> calls;
};

TEST(Communicator, DesignerCallsGoThroughItsInterface) {
  TprLabel label(nullptr);
  label.DesignerRefresh();  // no designer: nothing happens
  TRecordingDesigner designer;
  label.SetComponentDesigner(&designer);
  EXPECT_EQ(label.GetDesignerInterface(), &designer);
  label.DesignerRefresh();
  label.DesignerModified();
  label.DesignerMessage("hello");
  label.DesignerPropertyChanged(4, 0, 1);
  EXPECT_EQ(designer.calls, (std::vector<std::string>{"refresh", "modified", "hello", "4"}));
  TObject plain;
  label.SetComponentDesigner(&plain);
  EXPECT_EQ(label.GetDesignerInterface(), nullptr);
}

TEST(Communicator, TypeInformationOfTheUserName) {
  const TrtRTTI& rtti = StatelessInstance<TrtTprCommunicatorRTTI>();
  TStringList names;
  rtti.GetPropList(&TprShape::kClass, names);
  EXPECT_GE(names.IndexOf("UserName"), 0);
  TrtPropRec rec;
  ASSERT_TRUE(rtti.GetPropRec(&TprShape::kClass, "UserName", rec));
  EXPECT_EQ(rec.DataType, rtdtString);
  EXPECT_FALSE(rec.ReadOnly);

  TprShape shape(nullptr);
  TrtValue value;
  value.text = "Chart";
  ASSERT_TRUE(rtti.SetPropValue(&shape, "UserName", value));
  EXPECT_EQ(shape.GetUserName(), "Chart");
  EXPECT_EQ(rtti.GetPropText(&shape, "UserName"), "Chart");
}

}  // namespace
