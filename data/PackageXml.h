#pragma once

// Small helpers for reading the XML parts of an unpacked workbook with
// pugixml. Writers differ in the prefixes they give (".NET writers write
// "x:sheet", "r:id"), so elements and attributes are found by their names
// without prefix.

#include <QString>

#include <pugixml.hpp>

#include <type_traits>

namespace PackageXml {

// Whether `name` is `local`, with or without a prefix.
bool hasLocalName(const char* name, const char* local);
// The first attribute of `node` named `local`, namespace declarations left
// aside ("xmlns:id" is no "id"); an empty one when none is.
pugi::xml_attribute attribute(const pugi::xml_node& node, const char* local);
// That attribute's value as text; "" when there is none.
QString text(const pugi::xml_node& node, const char* local);
// The first child element of `parent` named `local`; an empty one when none is.
pugi::xml_node child(const pugi::xml_node& parent, const char* local);

// Calls `f` with each child element of `parent` named `local`, in order.
// When `f` answers a bool, false stops the walk and is answered; else true.
template <typename F>
bool forEachChild(const pugi::xml_node& parent, const char* local, F&& f)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element || !hasLocalName(c.name(), local))
            continue;
        if constexpr (std::is_void_v<std::invoke_result_t<F&, const pugi::xml_node&>>)
            f(c);
        else if (!f(c))
            return false;
    }
    return true;
}

// Loads the part at `path` into `doc`. False when there is no such file
// (`fault` left empty), or when it is larger than `maxBytes` or is no
// XML (`fault` says why, naming the path).
bool load(pugi::xml_document& doc, const QString& path, qint64 maxBytes, QString* fault);

}
