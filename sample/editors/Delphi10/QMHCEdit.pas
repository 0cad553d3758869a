unit QMHCEdit;

{ Quillmark HelpContext property editor for Delphi 1 (sample). }

interface

procedure Register;

implementation

procedure Register;
begin
  { registers the HelpContext editor with the Delphi 1 IDE }
end;

end.
