#pragma once

#include <QObject>

#include <string>

// The base of every Brindlex component.
//
// A component is created with an owner and is destroyed by it: the owner is the QObject
// parent, so a form (or any QObject) that owns components releases them when it goes.
// Published properties are Q_PROPERTYs with a getter and a Set... setter, so that a Designer
// form or a property sheet can set them by name. Name is the QObject's objectName.
// Components belong to the thread that created them and are used only there.
class TComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName WRITE setObjectName)

public:
    explicit TComponent(QObject* owner);
    ~TComponent() override;

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The owner given at creation; nullptr when nobody owns the component.
    [[nodiscard]] QObject* Owner() const { return parent(); }
    [[nodiscard]] std::string Name() const { return objectName().toStdString(); }
    void SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }

    // The components this one owns, in creation order.
    [[nodiscard]] int ComponentCount() const;
    [[nodiscard]] TComponent* Components(int index) const;
};
