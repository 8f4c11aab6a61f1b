#include "framework/component.h"

#include <algorithm>

#include "framework/property_value.h"

namespace ac {

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  SetState(csDestroying);
  // Last created first, so that a component never outlives one it was created
  // after and may refer to.
  while (!FComponents.empty()) Free(FComponents.back());
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Free(TComponent* component) {
  if (!component) return;
  component->BeforeDestruction();
  delete component;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (c->FName == name) return c;
  return nullptr;
}

void TComponent::Loaded() {
  ClearState(csLoading);
}

void TComponent::Notification(TComponent*, TOperation) {}

bool TComponent::SetStoredProperty(std::string_view name, const dfm::TValue& value) {
  if (name == "Tag") {
    Tag = IntValue(value);
    return true;
  }
  return false;
}

TNotifyEvent TComponent::FindMethod(std::string_view) {
  return {};
}

void TComponent::BindField(std::string_view, TComponent*) {}

TNotifyEvent TComponent::ResolveMethod(const dfm::TValue& value) const {
  if (value.Kind == dfm::TValue::TKind::Nil) return {};
  if (value.Kind != dfm::TValue::TKind::Ident) ThrowKind(value, "method name");
  TNotifyEvent handler = ReadRoot ? ReadRoot->FindMethod(value.Text) : TNotifyEvent{};
  if (!handler) throw EPropertyError("method " + value.Text + " not found");
  return handler;
}

void TComponent::InsertComponent(TComponent* c) {
  FComponents.push_back(c);
  for (TComponent* other : FComponents)
    if (other != c) other->Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  if (HasState(csDestroying)) return;
  for (TComponent* other : FComponents) other->Notification(c, TOperation::opRemove);
  Notification(c, TOperation::opRemove);
}

}  // namespace ac
