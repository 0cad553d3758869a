unit QMHCEdit;

{ Quillmark HelpContext property editor for Delphi 3 (sample). }

interface

procedure Register;

implementation

procedure Register;
begin
  { registers the HelpContext editor with the Delphi 3 IDE }
end;

end.
