#include "framework/component_reader.h"

#include <vector>

#include "framework/button.h"
#include "framework/edit.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "framework/property_value.h"
#include "framework/timer.h"
#include "framework/win_control.h"

namespace ac {

TComponent* TClassRegistry::Create(std::string_view name, TComponent* owner) const {
  const auto it = FFactories.find(name);
  return it == FFactories.end() ? nullptr : it->second(owner);
}

void RegisterFrameworkClasses(TClassRegistry& classes) {
  classes.Register<TPanel>("TPanel");
  classes.Register<TEdit>("TEdit");
  classes.Register<TButton>("TButton");
  classes.Register<TLabel>("TLabel");
  classes.Register<TTimer>("TTimer");
}

namespace {

class TReaderRun {
 public:
  TReaderRun(TComponent& root, const TClassRegistry& classes) : Root(root), Classes(classes) {}

  void Read(const dfm::TObjectNode& node) {
    if (node.ClassName != Root.ClassName())
      throw dfm::EReadError("the description is of class " + node.ClassName + ", not " +
                            std::string(Root.ClassName()));
    Root.SetState(csLoading | csReading);
    Root.ReadRoot = &Root;
    if (Root.Name().empty()) Root.SetName(node.Name);
    Created.push_back(&Root);
    Properties(Root, node);
    Children(Root, node);
    for (TComponent* c : Created) c->ClearState(csReading);
    for (TComponent* c : Created) c->ReadRoot = nullptr;
    for (TComponent* c : Created) c->Loaded();
  }

 private:
  TComponent& Root;
  const TClassRegistry& Classes;
  std::vector<TComponent*> Created;

  void Properties(TComponent& c, const dfm::TObjectNode& node) {
    for (const auto& p : node.Properties) {
      bool known;
      try {
        known = c.SetStoredProperty(p.Name, p.Value);
      } catch (const std::exception& e) {
        throw dfm::EReadError("Error reading " + node.Name + "." + p.Name + ": " + e.what());
      }
      if (!known)
        throw dfm::EReadError("Error reading " + node.Name + "." + p.Name + ": property " + p.Name +
                              " does not exist");
    }
  }

  void Children(TComponent& container, const dfm::TObjectNode& node) {
    for (const auto& child : node.Children) {
      if (Root.FindComponent(child.Name))
        throw dfm::EReadError("A component named " + child.Name + " already exists");
      TComponent* c = Classes.Create(child.ClassName, &Root);
      if (!c) throw dfm::EReadError("Class " + child.ClassName + " not found");
      c->SetState(csLoading | csReading);
      c->ReadRoot = &Root;
      c->SetName(child.Name);
      Created.push_back(c);
      if (auto* control = dynamic_cast<TControl*>(c)) {
        auto* parent = dynamic_cast<TWinControl*>(&container);
        if (!parent) throw dfm::EReadError("Control " + child.Name + " has no windowed parent");
        control->SetParent(parent);
      }
      Root.BindField(child.Name, c);
      Properties(*c, child);
      Children(*c, child);
    }
  }
};

}  // namespace

void ReadComponent(TComponent& root, const dfm::TObjectNode& node, const TClassRegistry& classes) {
  TReaderRun(root, classes).Read(node);
}

}  // namespace ac
