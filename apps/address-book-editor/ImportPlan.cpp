#include "ImportPlan.h"

#include "FieldMessages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("ImportPlan", text);
}

QString addressKey(const QString& name, const QString& number) {
    return name + QChar(0) + number;
}

// The first refusal of the entry's texts by the field rules.
QString refusalOf(const BookEntry& entry) {
    const QPair<qrol::EntryField, QString> fields[] = {{qrol::EntryField::Name, entry.name},
                                                       {qrol::EntryField::Number, entry.number},
                                                       {qrol::EntryField::Company, entry.company},
                                                       {qrol::EntryField::Memo, entry.memo}};
    for (const auto& [field, text] : fields)
        if (QString refusal = fieldRefusal(field, text); !refusal.isEmpty()) return refusal;
    return {};
}

class Planner {
  public:
    explicit Planner(const BookContents& book) : book_(book) {
        for (const BookEntry& entry : book.entries)
            known_.insert(addressKey(entry.name, entry.number), true);
    }

    void take(const Contact& contact) {
        const QString what = contact.name.isEmpty() ? contact.place : contact.name;
        if (contact.faxNumbers.isEmpty()) {
            plan_.skipped.append({what, tr("no fax number")});
            return;
        }
        for (const QString& number : contact.faxNumbers) {
            const BookEntry entry{0, contact.name, number, contact.company, contact.memo, now_};
            if (const QString refusal = refusalOf(entry); !refusal.isEmpty()) {
                plan_.skipped.append({what, refusal});
                continue;
            }
            const QString key = addressKey(entry.name, entry.number);
            if (const auto found = known_.constFind(key); found != known_.constEnd()) {
                plan_.skipped.append({what + QLatin1String(", ") + number,
                                      found.value() ? tr("already in the book")
                                                    : tr("already earlier in the file")});
                continue;
            }
            known_.insert(key, false);
            plan_.entries.push_back(entry);
            for (const QString& group : contact.groups)
                join(group, int(plan_.entries.size()) - 1, what);
        }
    }

    ImportPlan result() { return std::move(plan_); }

  private:
    void join(const QString& name, int entry, const QString& what) {
        if (const QString refusal = fieldRefusal(qrol::EntryField::Name, name);
            !refusal.isEmpty()) {
            plan_.skipped.append({what, tr("group \"%1\": %2").arg(name, refusal)});
            return;
        }
        ImportPlan::Group* group = nullptr;
        for (ImportPlan::Group& planned : plan_.groups)
            if (planned.name == name) group = &planned;
        if (!group) {
            plan_.groups.append({name, 0, {}});
            group = &plan_.groups.last();
            for (const BookGroup& stored : book_.groups)
                if (stored.name == name && !group->existingId) group->existingId = stored.id;
        }
        const BookGroup* stored = group->existingId ? book_.group(group->existingId) : nullptr;
        const qsizetype members = group->newMembers.size() + (stored ? stored->members.size() : 0);
        if (members >= kQrolMyFaxGroupMemberRoom) {
            plan_.skipped.append({what, tr("the group \"%1\" is full (at most %2 members)")
                                            .arg(name)
                                            .arg(int(kQrolMyFaxGroupMemberRoom))});
            return;
        }
        group->newMembers += entry;
    }

    const BookContents& book_;
    QHash<QString, bool> known_; // name and number: true for the book's, false for the file's
    ImportPlan plan_;
    const qint64 now_ = QDateTime::currentSecsSinceEpoch();
};

} // namespace

ImportPlan planImport(const ContactFile& file, const BookContents& book) {
    Planner planner(book);
    for (const Contact& contact : file.contacts)
        planner.take(contact);
    ImportPlan plan = planner.result();
    plan.skipped = file.skipped + plan.skipped;
    return plan;
}

qrol::BookChange ImportPlan::change(const BookContents& book) const {
    qrol::BookChange change;
    change.entries.reserve(entries.size());
    for (const BookEntry& entry : entries)
        change.entries.push_back(toRecord(entry));
    for (const Group& group : groups) {
        BookGroup written{group.existingId, group.name, {}};
        if (const BookGroup* stored = book.group(group.existingId)) written = *stored;
        for (int index : group.newMembers)
            written.members += SInt16(-index - 1);
        change.groups.push_back(toRecord(written));
    }
    return change;
}
