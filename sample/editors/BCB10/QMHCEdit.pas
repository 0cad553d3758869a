unit QMHCEdit;

{ Quillmark HelpContext property editor for C++Builder 1 (sample). }

interface

procedure Register;

implementation

procedure Register;
begin
  { registers the HelpContext editor with the C++Builder 1 IDE }
end;

end.
