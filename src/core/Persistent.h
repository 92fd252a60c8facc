// Root classes of the object model: every event passes its sender as a TObject*, and option
// objects copy each other through TPersistent::Assign. Window-free.
#pragma once

namespace quolin {

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

class TPersistent : public TObject {
public:
  // Copies the state of source into this object; raises EConvertError when the classes do
  // not fit together.
  virtual void Assign(const TPersistent& source);
};

} // namespace quolin
