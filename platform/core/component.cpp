#include "core/component.h"

#include "core/exception.h"

TComponent::TComponent(QObject* owner) : QObject(owner) {}

TComponent::~TComponent() = default;

namespace {
QList<TComponent*> OwnedComponents(const QObject& owner) {
    return owner.findChildren<TComponent*>(Qt::FindDirectChildrenOnly);
}
}  // namespace

int TComponent::ComponentCount() const { return static_cast<int>(OwnedComponents(*this).size()); }

TComponent* TComponent::Components(int index) const {
    const auto owned = OwnedComponents(*this);
    if (index < 0 || index >= owned.size()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return owned[index];
}
