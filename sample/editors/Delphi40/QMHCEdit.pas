unit QMHCEdit;

{ Quillmark HelpContext property editor for Delphi 4 (sample). }

interface

procedure Register;

implementation

procedure Register;
begin
  { registers the HelpContext editor with the Delphi 4 IDE }
end;

end.
