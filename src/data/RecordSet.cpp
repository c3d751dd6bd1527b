#include "data/RecordSet.h"

#include "data/DataFailure.h"
#include "data/Schema.h"
#include "data/Transaction.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QVariant>

RecordSet::RecordSet(Database::File file, const QString& table, QObject* parent)
    : QObject(parent), file_(file), table_(table), columns_(Database::columns(file, table))
{}

QString RecordSet::canonicalColumn(const QString& column) const
{
    for (const QString& known : columns_) {
        if (known.compare(column, Qt::CaseInsensitive) == 0)
            return known;
    }
    return {};
}

QString RecordSet::knownColumn(const QString& column) const
{
    const QString canonical = canonicalColumn(column);
    if (canonical.isEmpty()) {
        qCritical("Column \"%s\" is not in table \"%s\"", qUtf8Printable(column),
                  qUtf8Printable(table_));
        Q_ASSERT_X(false, "RecordSet", "unknown column");
    }
    return canonical;
}

bool RecordSet::refresh()
{
    filterColumn_.clear();
    filterValue_.clear();
    return loadFirstRow();
}

bool RecordSet::setFilter(const QString& column, const QString& value)
{
    const QString canonical = canonicalColumn(column);
    if (canonical.isEmpty())
        return fail(QStringLiteral("ستون «%1» در جدول «%2» نیست.").arg(column, table_), {});
    filterColumn_ = canonical;
    filterValue_ = value;
    return loadFirstRow();
}

// A server stores no text holding the NUL character: such a filter value matches no row there
// (and is never sent, as the server would refuse the statement).
bool RecordSet::filterMatchesNothing() const
{
    return Database::isServer(file_) && filterValue_.contains(QChar(0));
}

QString RecordSet::whereClause() const
{
    if (filterColumn_.isEmpty())
        return {};
    if (filterMatchesNothing())
        return QStringLiteral(" WHERE 1 = 0");
    return QStringLiteral(" WHERE %1 = ?").arg(Schema::quoted(filterColumn_));
}

void RecordSet::bindFilterValue(QSqlQuery& query) const
{
    if (!filterColumn_.isEmpty() && !filterMatchesNothing())
        query.addBindValue(filterValue_);
}

bool RecordSet::loadFirstRow()
{
    hasRow_ = false;
    rowId_ = -1;
    values_.clear();
    stored_.clear();
    count_ = -1;
    QSqlQuery query = select(columns_);
    bool ok = query.isActive();
    rowsSeen_ = false;
    if (ok && query.next()) {
        hasRow_ = true;
        rowsSeen_ = true;
        rowId_ = query.value(0).toLongLong();
        for (int i = 0; i < columns_.size(); ++i)
            values_.insert(columns_[i], query.value(i + 1).toString());
        stored_ = values_;
    }
    pushToControls();
    emit currentRowChanged();
    return ok;
}

QSqlQuery RecordSet::select(const QStringList& columns) const
{
    QSqlDatabase db = Database::connection(file_);
    QSqlQuery query(db);
    if (!db.isOpen()) {
        const_cast<RecordSet*>(this)->fail(Database::lastError(file_), {});
        return query;
    }
    query = prepareSelect({Database::rowKey(file_)}, columns, true);
    if (!query.exec()) {
        const_cast<RecordSet*>(this)->failQuery(
            QStringLiteral("خواندن اطلاعات از «%1» ممکن نشد.").arg(Database::shownName(file_)),
            query.lastError());
    }
    return query;
}

QSqlQuery RecordSet::prepareSelect(const QStringList& columns) const
{
    return prepareSelect({}, columns, false);
}

QSqlQuery RecordSet::prepareSelect(QStringList quoted, const QStringList& columns,
                                   bool forwardOnly) const
{
    for (const QString& column : columns)
        quoted << Schema::quoted(column);
    QSqlQuery query(Database::connection(file_));
    query.setForwardOnly(forwardOnly);
    query.prepare(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                      .arg(quoted.join(QStringLiteral(", ")), Schema::quoted(table_), whereClause(),
                           Database::rowKey(file_)));
    bindFilterValue(query);
    return query;
}

int RecordSet::recordCount() const
{
    if (count_ >= 0)
        return count_;
    QSqlDatabase db = Database::connection(file_);
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(Schema::quoted(table_), whereClause()));
    bindFilterValue(query);
    count_ = (db.isOpen() && query.exec() && query.next()) ? query.value(0).toInt() : 0;
    return count_;
}

void RecordSet::addNew()
{
    hasRow_ = true;
    rowId_ = -1;
    values_.clear();
    stored_.clear();
    pushToControls();
    emit currentRowChanged();
}

QString RecordSet::field(const QString& column) const
{
    return values_.value(knownColumn(column));
}

QStringList RecordSet::fields(const QStringList& columns) const
{
    QStringList values;
    for (const QString& column : columns)
        values << field(column);
    return values;
}

bool RecordSet::setField(const QString& column, const QString& value)
{
    const QString canonical = knownColumn(column);
    if (canonical.isEmpty() || !hasRow_)
        return false;
    values_.insert(canonical, value);
    const QList<Binding> snapshot = bindings_; // a control's change handler may rebind
    for (const Binding& binding : snapshot) {
        if (binding.column == canonical)
            pushToControl(binding);
    }
    return true;
}

QStringList RecordSet::changedColumns() const
{
    QStringList changed;
    for (const QString& column : columns_) {
        if (column != QLatin1String("ID") && values_.value(column) != stored_.value(column))
            changed << column;
    }
    return changed;
}

bool RecordSet::commitRow()
{
    refusedDuplicate_ = false;
    if (!hasRow_)
        return true;
    pullFromControls();
    const QStringList changed = changedColumns();
    if (rowId_ >= 0 && changed.isEmpty())
        return true;
    Transaction::noteCommit(this);
    const bool ok = rowId_ < 0 ? insertRow() : updateRow(changed);
    if (ok) {
        stored_ = values_;
        count_ = -1;
        rowsSeen_ = true;
    }
    return ok;
}

static QVariant storedValue(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

bool RecordSet::storable(const QStringList& columns)
{
    if (!Database::isServer(file_))
        return true;
    for (const QString& column : columns) {
        if (values_.value(column).contains(QChar(0)))
            return fail(
                QStringLiteral("ذخیره اطلاعات در «%1» انجام نشد.").arg(Database::shownName(file_)),
                QStringLiteral(
                    "سرور پایگاه داده متنی را که نویسه صفر (NUL) دارد "
                    "نمی‌پذیرد؛ آن نویسه را از متن بردارید."));
    }
    return true;
}

bool RecordSet::insertRow()
{
    QSqlDatabase db = Database::connection(file_);
    if (!db.isOpen())
        return fail(Database::lastError(file_), {});
    if (!storable(columns_))
        return false;
    QStringList names;
    QStringList marks;
    for (const QString& column : columns_) {
        if (column == QLatin1String("ID"))
            continue;
        names << Schema::quoted(column);
        marks << QStringLiteral("?");
    }
    QSqlQuery query(db);
    // A server names the new row's number in its answer; SQLite tells it to the connection.
    const bool server = Database::isServer(file_);
    query.prepare(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
            .arg(Schema::quoted(table_), names.join(QStringLiteral(", ")),
                 marks.join(QStringLiteral(", ")),
                 server ? QStringLiteral(" RETURNING ") + Database::rowKey(file_) : QString()));
    for (const QString& column : columns_) {
        if (column != QLatin1String("ID"))
            query.addBindValue(storedValue(values_.value(column)));
    }
    if (!query.exec()) {
        return failQuery(
            QStringLiteral("ذخیره اطلاعات در «%1» انجام نشد.").arg(Database::shownName(file_)),
            query.lastError());
    }
    rowId_ = server ? (query.next() ? query.value(0).toLongLong() : -1)
                    : query.lastInsertId().toLongLong();
    if (columns_.contains(QLatin1String("ID")))
        values_.insert(QStringLiteral("ID"), QString::number(rowId_));
    const QList<Binding> snapshot = bindings_;
    for (const Binding& binding : snapshot) {
        if (binding.column == QLatin1String("ID"))
            pushToControl(binding);
    }
    return true;
}

bool RecordSet::updateRow(const QStringList& changed)
{
    QSqlDatabase db = Database::connection(file_);
    if (!db.isOpen())
        return fail(Database::lastError(file_), {});
    if (!storable(changed))
        return false;
    QStringList assignments;
    for (const QString& column : changed)
        assignments << Schema::quoted(column) + QStringLiteral(" = ?");
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                      .arg(Schema::quoted(table_), assignments.join(QStringLiteral(", ")),
                           Database::rowKey(file_)));
    for (const QString& column : changed)
        query.addBindValue(storedValue(values_.value(column)));
    query.addBindValue(rowId_);
    if (!query.exec()) {
        return failQuery(
            QStringLiteral("ذخیره اطلاعات در «%1» انجام نشد.").arg(Database::shownName(file_)),
            query.lastError());
    }
    return true;
}

std::function<void()> RecordSet::commitState()
{
    return [this, rowId = rowId_, stored = stored_, rowsSeen = rowsSeen_,
            id = values_.value(QStringLiteral("ID"))] {
        rowId_ = rowId;
        stored_ = stored;
        rowsSeen_ = rowsSeen;
        count_ = -1;
        if (!columns_.contains(QLatin1String("ID")))
            return;
        values_.insert(QStringLiteral("ID"), id);
        const QList<Binding> snapshot = bindings_;
        for (const Binding& binding : snapshot) {
            if (binding.column == QLatin1String("ID"))
                pushToControl(binding);
        }
    };
}

bool RecordSet::bind(QObject* control, const QString& column)
{
    const QString canonical = knownColumn(column);
    if (!control || canonical.isEmpty())
        return false;
    unbind(control);
    bindings_.append({control, canonical});
    pushToControl(bindings_.last());
    return true;
}

void RecordSet::unbind(QObject* control)
{
    for (qsizetype i = 0; i < bindings_.size(); ++i) {
        if (bindings_[i].control == control) {
            pullFromControl(bindings_[i]);
            bindings_.removeAt(i);
            return;
        }
    }
}

QString RecordSet::boundColumn(const QObject* control) const
{
    for (const Binding& binding : bindings_) {
        if (binding.control == control)
            return binding.column;
    }
    return {};
}

void RecordSet::pushToControls()
{
    const QList<Binding> snapshot = bindings_; // a control's change handler may rebind
    for (const Binding& binding : snapshot)
        pushToControl(binding);
}

void RecordSet::pushToControl(const Binding& binding)
{
    if (!binding.control)
        return;
    const QString value = values_.value(binding.column);
    if (binding.control->property("text").toString() != value)
        binding.control->setProperty("text", value);
}

void RecordSet::pullFromControls()
{
    for (const Binding& binding : std::as_const(bindings_))
        pullFromControl(binding);
}

void RecordSet::pullFromControl(const Binding& binding)
{
    if (!hasRow_ || !binding.control || binding.column == QLatin1String("ID"))
        return;
    values_.insert(binding.column, binding.control->property("text").toString());
}

bool RecordSet::failQuery(const QString& message, const QSqlError& error)
{
    Database::noteFailure(file_, error);
    refusedDuplicate_ = Database::isDuplicateKey(error);
    return fail(message, error.text());
}

bool RecordSet::fail(const QString& message, const QString& detail)
{
    lastError_ = detail.isEmpty() ? message : message + QLatin1Char('\n') + detail;
    DataFailure::report(lastError_);
    return false;
}
