// The object tree as text, for comparing trees across copies, sessions and
// processes: one line per object, "class name key=value ...", indented by
// depth, with a document's client and its content as its content hooks
// write it.
#pragma once

#include <QByteArray>

#include <string>
#include <vector>

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "platform/oxt/FileElement.h"
#include "platform/oxt/Object.h"

inline void DescribeTree(oxt::Object* object, int depth, std::vector<std::string>* out) {
  std::string line = std::string(depth * 2, ' ') + object->ClassName() + " " + object->GetName();
  for (const oxString& name : object->GetPropertyNames()) {
    if (name == "Name" || name.starts_with('@')) continue;
    line += " " + name + "=" + object->oxt::Object::GetProperty(name).GetValue().GetString();
  }
  if (auto* document = fwg::ClientObject::Cast(object)) {
    line += document->GetClient() ? " client=" + document->GetClient()->GetName() : " no client";
    oxt::FileElement content;
    document->WriteContent(&content);
    for (const oxt::FileElement* piece : content.GetElementList()) {
      line += " " + piece->GetName() + ":" +
              QByteArray::fromStdString(piece->GetText()).toBase64().toStdString();
    }
  }
  out->push_back(line);
  for (oxt::Object* child : object->GetChildren()) DescribeTree(child, depth + 1, out);
}

inline std::vector<std::string> DescribeTree(oxt::Object* object) {
  std::vector<std::string> out;
  DescribeTree(object, 0, &out);
  return out;
}
