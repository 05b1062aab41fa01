#pragma once
// What the parser keeps of a document type declaration for the duration of
// one parse: entities to expand, attribute defaults to add, and the
// declarations in order. Nothing is validated.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/String.h"
#include "xml/parser/Sxp.h"

namespace XmlParserPrivate {

struct CStringHash {
  using is_transparent = void;
  size_t operator()(Core::StringView s) const { return std::hash<Core::StringView>{}(s); }
};
struct CStringEqual {
  using is_transparent = void;
  bool operator()(Core::StringView a, Core::StringView b) const { return a == b; }
};

struct CElement {
  Core::String name;
};

struct CAttribute {
  Core::String name;
  int32_t type = 0;
  std::vector<Core::String> values;
  int32_t defaultKind = 3;
  Core::String defaultValue;
};

struct CAttlist {
  Core::String elementName;
  std::vector<std::unique_ptr<CAttribute>> attributes;
};

// The attributes an element's start tags are defaulted from, gathered over
// every ATTLIST of the element: the first definition of a name binds it, so
// a later one neither adds a second default nor replaces the first.
struct CBoundAttributes {
  std::vector<const CAttribute*> defaulted;  // #FIXED or a plain default, in declaration order
  std::unordered_set<Core::StringView, CStringHash, CStringEqual> names;  // every bound name
};

struct CEntity {
  Core::String name;
  Core::String publicId;
  bool hasPublicId = false;
  Core::String systemId;
  bool hasSystemId = false;
  Core::String notationName;
  Core::String replacementText;
  bool external = false;
  bool unparsed = false;
  // Set while the entity's text is being read, and while its declaration
  // is: a reference then is a recursion.
  int32_t openCount = 0;
};

struct CNotation {
  Core::String name;
  Core::String publicId;
  bool hasPublicId = false;
  Core::String systemId;
  bool hasSystemId = false;
};

class CDtd {
public:
  Core::String name;
  Core::String publicId;
  bool hasPublicId = false;
  Core::String systemId;
  bool hasSystemId = false;

  std::vector<std::unique_ptr<CElement>> elements;
  std::vector<std::unique_ptr<CAttlist>> attlists;
  std::vector<std::unique_ptr<CEntity>> generalEntities;
  std::vector<std::unique_ptr<CEntity>> parameterEntities;
  std::vector<std::unique_ptr<CNotation>> notations;

  // The first declaration of a name is the one found.
  CEntity* FindGeneralEntity(Core::StringView name) const { return Find(m_general, name, m_lastGeneral); }
  CEntity* FindParameterEntity(Core::StringView name) const { return Find(m_parameter, name, m_lastParameter); }
  const CBoundAttributes* FindAttributes(Core::StringView elementName) const {
    auto it = m_bound.find(elementName);
    return it == m_bound.end() ? nullptr : &it->second;
  }

  CEntity* AddEntity(std::unique_ptr<CEntity> entity, bool parameter) {
    auto& list = parameter ? parameterEntities : generalEntities;
    auto& index = parameter ? m_parameter : m_general;
    CEntity* e = entity.get();
    list.push_back(std::move(entity));
    index.emplace(e->name, e);
    return e;
  }
  CAttlist* AddAttlist(Core::StringView elementName) {
    attlists.push_back(std::make_unique<CAttlist>());
    CAttlist* a = attlists.back().get();
    a->elementName = Core::String(elementName);
    return a;
  }
  // Called for each attribute definition once it is read in full.
  void BindAttribute(Core::StringView elementName, const CAttribute& attribute) {
    auto it = m_bound.find(elementName);
    if (it == m_bound.end()) it = m_bound.emplace(Core::String(elementName), CBoundAttributes{}).first;
    CBoundAttributes& bound = it->second;
    // The view stays valid: definitions are never moved or removed.
    if (!bound.names.insert(attribute.name).second) return;
    if (attribute.defaultKind == Sxp::DefaultFixed || attribute.defaultKind == Sxp::DefaultValue) {
      bound.defaulted.push_back(&attribute);
    }
  }

private:
  using CIndex = std::unordered_map<Core::String, CEntity*, CStringHash, CStringEqual>;
  // Documents tend to repeat one reference many times over: the last entity
  // found is checked before hashing. A found entity stays the one bound to
  // its name, since later declarations never replace it.
  static CEntity* Find(const CIndex& index, Core::StringView name, CEntity*& last) {
    if (last && last->name == name) return last;
    auto it = index.find(name);
    if (it == index.end()) return nullptr;
    last = it->second;
    return last;
  }

  CIndex m_general;
  CIndex m_parameter;
  mutable CEntity* m_lastGeneral = nullptr;
  mutable CEntity* m_lastParameter = nullptr;
  std::unordered_map<Core::String, CBoundAttributes, CStringHash, CStringEqual> m_bound;
};

} // namespace XmlParserPrivate
