#pragma once

#include "runtime.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

// A design-time value in readable form: one named record of a property block.
struct Record
{
    Record(const char *n, int v) : name(n), value{PropertyType::Integer, qint32(v), false, {}, {}} {}
    Record(const char *n, bool v) : name(n), value{PropertyType::Boolean, 0, v, {}, {}} {}
    Record(const char *n, const char *v) : name(n), value{PropertyType::String, 0, false, QString::fromUtf8(v), {}} {}
    Record(const char *n, const QString &v) : name(n), value{PropertyType::String, 0, false, v, {}} {}
    Record(const char *n, Color v) : name(n), value{PropertyType::Color, 0, false, {}, v} {}

    QByteArray name;
    PropertyValue value;
};

// The declared type of a property name; nothing for a name no class declares.
std::optional<PropertyType> declaredType(const QByteArray &name);
// All property names the blocks may use.
std::vector<QByteArray> declaredNames();

// Encodes records back to back: the name, a space, then the value in the
// width of its declared type (big-endian integers, one-byte Booleans, counted
// UTF-8 strings, three-byte colours). A record whose value does not have its
// name's declared type raises UnsupportedFormatException.
QByteArray encodeBlock(const std::vector<Record> &records);

// One decoded record.
struct DecodedRecord
{
    QByteArray name;
    PropertyValue value;
};

// Decodes a block by the declared types. A name that is not declared, a
// record without its space, a value running past the end or a string that is
// not valid UTF-8 raises
// UnsupportedFormatException naming `objectName` and the record; nothing is
// read past the end.
std::vector<DecodedRecord> decodeBlock(const QByteArray &block, const QString &objectName);

// Applies every record of the block to the object, in stored order. A record
// naming a property that the object's class lacks raises
// UnsupportedFormatException naming the object and the record.
void SetProperties(Object *object, const QByteArray &block);
